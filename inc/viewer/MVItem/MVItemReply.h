/*
 * The round reply button at the end of the conversation. A tap tells the
 * conversation view, which launches the input selector; in select mode the
 * button is disabled.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMREPLY_H
#define MSG_APP_VIEWER_MVITEM_MVITEMREPLY_H

#include "view_kit/WSignal.h"
#include "viewer/MVItem/MVItem.h"

#include <functional>

namespace msg_app {
namespace msg_viewer {

class IMVItemDataProvider;

class MVItemReply : public MVItem {
public:
    MVItemReply(int threadId, const IMVItemDataProvider* provider);
    ~MVItemReply() override;

    Type getType() const override { return REPLY; }
    bool isChecked() const override { return false; }
    void setCheck(bool) override {}
    void setViewType(ViewType viewType) override;
    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;
    void onSelect(Elm_Object_Item* item) override;

    unsigned int addEventListener(std::function<void()> listener, Evas_Object* owner);
    void removeEventListener(unsigned int& id);
    // Follows the screen reader's setting as the conversation last saw it: with it on, the row is a
    // named button a reader's activation replies from; with it off, a plain row.
    void updateReader();
    // The button while the row is realized, else null.
    Evas_Object* getButton() const { return _button; }

    // The row's name for the screen reader, and its words while the button is disabled.
    static constexpr const char* NAME_ID = "WDS_MSG_OPT_REPLY_ABB";
    static constexpr const char* DISABLED_ID = "IDS_ACCS_BODY_DISABLED_TTS";

private:
    void _updateAccess(Evas_Object* content);
    Evas_Object* _createContent(Evas_Object* parent);
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static void _clickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _buttonDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    Evas_Object* _button = nullptr;
    int _threadId;
    const IMVItemDataProvider* _provider;
    bool _isEnabled = true;
    // The screen reader was on when the row was put in: the row can then be selected.
    bool _accessible = false;
    view_kit::WSignal<void()> _signal;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
