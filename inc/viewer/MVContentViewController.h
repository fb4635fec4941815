/*
 * The conversation screen as the naviframe sees it: the conversation view of
 * one thread, which the list opens for a tapped conversation and the
 * application opens directly. It tells the store which thread is on screen,
 * marks the thread read once its push has finished, and closes itself once,
 * from an idler, when the conversation has no message left.
 */
#ifndef MSG_APP_VIEWER_MVCONTENTVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MVCONTENTVIEWCONTROLLER_H

#include "common/MCommonMsgStore.h"
#include "common/view/MCommonPushWatch.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WTimer.h"

#include <memory>
#include <string>

namespace msg_app {
namespace msg_viewer {

class MVListViewController;
class MVOptionMgr;

class MVContentViewController : public view_kit::WContentViewController {
public:
    explicit MVContentViewController(int threadId);
    ~MVContentViewController() override;

    const char* getClassName() const override { return "MVContentViewController"; }
    int getThreadId() const { return _threadId; }
    // The conversation's display name, as plain text.
    std::string getTitle() const;
    // The conversation view, or null once it is gone.
    MVListViewController* getListView() const;
    // This screen's option panel.
    MVOptionMgr* getOptionMgr() const { return _optionMgr.get(); }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onPushed(Elm_Object_Item* naviItem) override;
    void onBecomeTop() override;
    bool onPop() override;
    void onDestroy() override;

private:
    void _onListEvent(int event);
    void _onTransitionFinished();
    void _setActiveThread(int threadId);

    const int _threadId;
    // The conversation's model reads and changes the store through it; the conversation goes with
    // the option panel in onDestroy, before this.
    MCommonMsgStore _store;
    std::weak_ptr<view_kit::WViewController> _listView;
    unsigned int _listenerId = 0;
    std::weak_ptr<view_kit::WTimer> _closeIdler;
    std::weak_ptr<view_kit::WTimer> _optionsIdler;
    MCommonPushWatch _pushWatch;
    // Shared with the conversation's actions, which hold it weakly: the panel goes with the screen.
    std::shared_ptr<MVOptionMgr> _optionMgr;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
