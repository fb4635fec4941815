#ifndef MSG_TESTS_VIEWER_VIEWERSCREENFIXTURE_H
#define MSG_TESTS_VIEWER_VIEWERSCREENFIXTURE_H

#include "LaunchJournal.h"
#include "ListScreenFixture.h"
#include "MainLoop.h"
#include "ViewerTestSupport.h"
#include "common/ui/MCommonI18n.h"
#include "viewer/MVContentViewController.h"
#include "viewer/MVConversationActions.h"
#include "viewer/MVListViewController.h"
#include "viewer/MVOptionMgr.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {
class MVConversationActionsTestPeer {
public:
    // The body's text size the conversation keeps: the user's or the double tap's.
    static int fontSize(const MVListViewController* list) { return list->getActions()._fontSize; }
};
// The entries a panel offers now, in order, as the panel's items stand for them.
class MVOptionMgrTestPeer {
public:
    static std::vector<MoreOption> options(const MVOptionMgr& mgr) { return mgr._options; }
};
} // namespace msg_viewer
} // namespace msg_app

// While it lives the genlist measures its queue in slices of one frame's time: next to none, as on
// a busy watch, so that rows find their heights after they were first placed.
struct BusyFrames {
    const double frameTime = ecore_animator_frametime_get();
    BusyFrames() { ecore_animator_frametime_set(1e-6); }
    ~BusyFrames() { ecore_animator_frametime_set(frameTime); }
};

// The conversation screen pushed on the watch's window, over a host page.
class ViewerScreenFixture : public ListScreenFixture {
protected:
    // Noon, a few days before any test runs: date lines are never "Today".
    static constexpr int64_t START_MS = 1700049600000;

    void SetUp() override;

    // count messages of one conversation, one every `stepSeconds` from START_MS; their ids.
    std::vector<int> thread(int count, int64_t stepSeconds = 60);
    // The same conversation, open on the screen.
    std::vector<int> openThread(int count, int64_t stepSeconds = 60) {
        std::vector<int> ids = thread(count, stepSeconds);
        open(threadId);
        return ids;
    }
    // The messages of one conversation in one store write, which becomes `threadId`; their ids.
    std::vector<int> storeThread(const std::vector<msg_store::IncomingMessage>& messages);
    void open(int threadId);
    msg_app::msg_viewer::MVListViewController* listView() const;
    // Does `action`, then runs the loop until obj emits the smart signal; whether it did.
    static bool untilSignal(Evas_Object* obj, const char* signal, const std::function<void()>& action,
                            double timeout = msg_test::WAIT_SECONDS);
    // Pops the top page; whether the host page came back on top.
    bool backToHost();
    Evas* evas() const { return evas_object_evas_get(appWindow->getEvasObject()); }
    // Ends an application this screen launched (the input selector, say), as the user's back
    // would, so that it does not outlive the test's device.
    void closeLaunched(int64_t launchId);
    // The time of day a bubble of that moment shows, in the clock's format now.
    static std::string timeText(int64_t ms) {
        std::string text;
        msg_app::MCommonI18n::getInstance()->getFormattedDateTimeText(
            msg_app::MCommonI18n::TIME, static_cast<time_t>(ms / 1000), text, false);
        return text;
    }
    // The ids of the bubbles from the top, after checking that every bubble sits under the
    // date line of its day, in time order, once.
    std::vector<int> checkedBubbleIds() const;
    // The bubble's text widget while its row is realized; null too when the bubble is not loaded.
    Evas_Object* labelOf(int msgId) const {
        msg_app::msg_viewer::MVItemBubble* bubble = listView()->findBubble(msgId);
        return bubble ? msg_app::msg_viewer::MVItemBubbleTestPeer::label(bubble) : nullptr;
    }
    // Reaches the top once; whether the whole older page went in, as it does a few rows per turn
    // of the loop while the list is still, and the list laid it out.
    bool loadOlderPage() {
        auto* list = listView();
        const int whole =
            std::min(list->getModel().getCount(),
                     list->getLoadedCount() + msg_app::msg_viewer::MVListViewController::PAGE_SIZE);
        list->loadOlderPage();
        return msg_test::runLoopUntil([&] { return list->getLoadedCount() >= whole; }) && listLaidOut();
    }
    // Whether the list placed every row it was given. A row shown before then is placed among
    // the rows measured so far, which may put the list at its top, and the top loads a page more.
    bool listLaidOut() const;
    // Where the bubble's row is on the screen; INT_MIN when it is not shown.
    int rowY(int msgId) const {
        msg_app::msg_viewer::MVItemBubble* bubble = listView()->findBubble(msgId);
        Evas_Object* track = bubble ? elm_object_item_track(bubble->getElmObjectItem()) : nullptr;
        if (!track)
            return INT_MIN;
        int y = 0;
        evas_object_geometry_get(track, nullptr, &y, nullptr, nullptr);
        elm_object_item_untrack(bubble->getElmObjectItem());
        return y;
    }
    // Brings the loaded bubble's row to the middle of the list.
    void showAtMiddle(int msgId) {
        elm_genlist_item_show(listView()->findBubble(msgId)->getElmObjectItem(),
                              ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    }
    void clickCenter(Evas_Object* obj);
    // Whether a tap at the middle of obj reaches obj (nothing covers it).
    bool isUnderFinger(Evas_Object* obj) const;

    msg_app::msg_viewer::MVContentViewController* screen = nullptr;
    int threadId = -1;
};

// The conversation screen on a watch with its own SIM whose phone is also paired (standalone
// features on, the phone reachable), driven through real input on its window.
class ViewerActionFixture : public ViewerScreenFixture {
protected:
    void SetUp() override;

    // A conversation with the given addresses, messages in the watch's own inbox; its message ids.
    std::vector<int> watchThread(const std::vector<std::string>& addresses, int count);
    // The same with these texts, one message each.
    std::vector<int> watchThread(const std::vector<std::string>& addresses,
                                 const std::vector<std::string>& texts);
    // The open screen's panel.
    msg_app::msg_viewer::MVOptionMgr* mgr() const { return screen ? screen->getOptionMgr() : nullptr; }
    std::vector<msg_app::msg_viewer::MoreOption> options() const {
        return mgr() ? msg_app::msg_viewer::MVOptionMgrTestPeer::options(*mgr())
                     : std::vector<msg_app::msg_viewer::MoreOption>();
    }
    // Opens the panel and clicks the entry, as the user's finger would.
    bool choose(msg_app::msg_viewer::MoreOption option);
    // The newest launch to target (any target when empty) since `since` (a journal id), once there
    // is one, running the loop up to the time limit; else an entry with id 0.
    msg_services::LaunchEntry waitLaunchTo(const std::string& target, int64_t since = 0,
                                           double timeout = msg_test::WAIT_SECONDS) const;
    int64_t lastLaunchId() const;
    // What `act` launches to target (any target when empty), as waitLaunchTo finds it.
    msg_services::LaunchEntry launchedBy(const std::function<void()>& act, const std::string& target,
                                         double timeout = msg_test::WAIT_SECONDS) const {
        int64_t since = lastLaunchId();
        act();
        return waitLaunchTo(target, since, timeout);
    }
};

#endif
