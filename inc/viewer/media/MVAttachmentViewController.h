/*
 * A file of a multimedia message that is neither picture nor sound: a mark
 * of its kind (contact card, calendar entry, task, other) and its name.
 */
#ifndef MSG_APP_VIEWER_MEDIA_MVATTACHMENTVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MEDIA_MVATTACHMENTVIEWCONTROLLER_H

#include "msg_store/Content.h"
#include "view_kit/WSignal.h"
#include "view_kit/WViewController.h"

#include <functional>
#include <string>

namespace msg_app {
namespace msg_viewer {

class MVAttachmentViewController : public view_kit::WViewController {
public:
    enum Event : int {
        PRESSED = 0,
        CLICKED = 1,
    };

    MVAttachmentViewController(int index, const msg_store::Content& content);

    int getMediaIndex() const { return _index; }
    const std::string& getFilePath() const { return _filePath; }
    // The image group of the mark of a display type.
    static const char* iconOf(int displayType);

    unsigned int addEventListener(std::function<void(Event, MVAttachmentViewController*)> listener,
                                  Evas_Object* owner);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;

private:
    int _index;
    int _displayType;
    std::string _fileName;
    std::string _filePath;
    view_kit::WSignal<void(Event, MVAttachmentViewController*)> _signal;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
