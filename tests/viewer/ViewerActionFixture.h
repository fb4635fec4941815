#ifndef MSG_TESTS_VIEWER_VIEWERACTIONFIXTURE_H
#define MSG_TESTS_VIEWER_VIEWERACTIONFIXTURE_H

#include "LaunchJournal.h"
#include "MainLoop.h"
#include "ViewerScreenFixture.h"
#include "viewer/MVOptionMgr.h"

#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {
// The entries a panel offers now, in order, as the panel's items stand for them.
class MVOptionMgrTestPeer {
public:
    static std::vector<MoreOption> options(const MVOptionMgr& mgr) { return mgr._options; }
};
} // namespace msg_viewer
} // namespace msg_app

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
    void clickCenter(Evas_Object* obj);
    // Whether a tap at the middle of obj reaches obj (nothing covers it).
    bool isUnderFinger(Evas_Object* obj) const;
    // The newest launch to target (any target when empty) since `since` (a journal id), or an entry
    // with id 0.
    msg_services::LaunchEntry lastLaunchTo(const std::string& target, int64_t since = 0) const;
    // The same once there is one, running the loop up to the time limit.
    msg_services::LaunchEntry waitLaunchTo(const std::string& target, int64_t since,
                                           double timeout = msg_test::WAIT_SECONDS) const;
    int64_t lastLaunchId() const;
    // Whether a toast on the window shows the text.
    bool showsToast(const std::string& text) const;
};

#endif
