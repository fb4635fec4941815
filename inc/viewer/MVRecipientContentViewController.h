/*
 * The addresses of a group conversation under a title with their count.
 * Choosing one opens its contact in the contacts application, the call log
 * of a number whose contact could not be looked up, or the detail page of a
 * number without a contact.
 */
#ifndef MSG_APP_VIEWER_MVRECIPIENTCONTENTVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MVRECIPIENTCONTENTVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "common/MCommonMsgStore.h"
#include "common/addr/MCommonAddr.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "view_kit/WContentViewController.h"

#include <memory>

namespace msg_app {
namespace msg_viewer {

class MVRecipientContentViewController : public view_kit::WContentViewController,
                                         public IMCommonAppEventListener {
public:
    explicit MVRecipientContentViewController(int threadId);
    ~MVRecipientContentViewController() override;

    const char* getClassName() const override { return "MVRecipientContentViewController"; }
    Evas_Object* getGenlist() const { return _genlist; }
    void appEventListener(MCommonAppEventType type) override;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onPushed(Elm_Object_Item* naviItem) override;
    bool onPop() override;
    void onDestroy() override;

private:
    void _onSeletItem(const std::shared_ptr<MCommonAddr>& addr);

    int _threadId;
    int _count = 0;
    MCommonMsgStore _store;
    Evas_Object* _genlist = nullptr;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
