// The contents of a bubble that have their own controllers: they live as long as the bubble's text.
#include "viewer/MVItem/MVItemBubble.h"

#include "common/MsgLog.h"
#include "viewer/media/MVAudioViewController.h"

namespace msg_app {
namespace msg_viewer {

Evas_Object* MVItemBubble::_createAudioContent(Evas_Object* parent, int index) {
    const msg_store::Content* content = _contentAt(index);
    if (!content)
        return nullptr;
    auto* audio = new MVAudioViewController(*content);
    if (!audio->create(parent, nullptr)) {
        audio->destroy();
        return nullptr;
    }
    Evas_Object* view = audio->getEvasObject();
    audio->addEventListener(
        [this, audio](MVAudioViewController::Event event) {
            // In select mode a tap checks the bubble instead.
            if (event == MVAudioViewController::CLICKED && _viewType == VIEW_TYPE_NORMAL)
                audio->click();
        },
        view);
    return view;
}

} // namespace msg_viewer
} // namespace msg_app
