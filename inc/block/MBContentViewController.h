/*
 * One message of a spam folder, read-only: the sender, the date line and the
 * body (an SMS text, or an MMS subject with its texts, pictures and files).
 * Its option menu restores the message to the inbox or deletes it; either
 * leaves the screen. It reads and changes the store through an object of its own. Main loop only.
 */
#ifndef MSG_APP_BLOCK_MBCONTENTVIEWCONTROLLER_H
#define MSG_APP_BLOCK_MBCONTENTVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "common/MCommonMsgStore.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "common/view/MCommonPushWatch.h"
#include "msg_store/Message.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WJob.h"

#include <memory>
#include <string>

namespace msg_app {

class MCommonMoreOptionViewController;

namespace msg_block {

class MBItem;

class MBContentViewController : public view_kit::WContentViewController, public IMCommonAppEventListener {
public:
    explicit MBContentViewController(int msgId);

    void appEventListener(MCommonAppEventType type) override;

    Evas_Object* getGenlist() const { return _genlist; }
    const msg_store::Message& getMessage() const { return _message; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;
    void onPushed(Elm_Object_Item* naviItem) override;
    bool onPop() override;

private:
    bool _createMoreOption(Evas_Object* layout);
    bool _createGenlist();
    void _loadItems();
    void _appendBody(const std::string& text);
    void _loadMmsBody();
    bool _append(MBItem* row);
    void _markAsRead();
    void _onRestoreClicked();
    void _onDeleteClicked();
    // The store's answer to an action: a toast on success, a log line otherwise; the screen goes
    // either way.
    void _actAndLeave(int result, const char* doneTextId, const char* failure);
    // Leaves the screen once the option panel that ran the action is done with its callback.
    void _popLater();

    MCommonMsgStore _store;
    int _msgId;
    msg_store::Message _message;
    std::weak_ptr<MCommonMoreOptionViewController> _moreOptionWptr;
    Evas_Object* _genlist = nullptr;
    MCommonPushWatch _pushWatch;
    std::unique_ptr<MCommonRotaryActivateMgr::Item> _rotaryItem;
    view_kit::WJob _popJob;
};

} // namespace msg_block
} // namespace msg_app

#endif
