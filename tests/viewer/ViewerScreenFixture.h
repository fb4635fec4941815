#ifndef MSG_TESTS_VIEWER_VIEWERSCREENFIXTURE_H
#define MSG_TESTS_VIEWER_VIEWERSCREENFIXTURE_H

#include "ListRowFixture.h"
#include "ViewerTestSupport.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVContentViewController.h"
#include "viewer/MVConversationActions.h"
#include "viewer/MVListViewController.h"

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
} // namespace msg_viewer
} // namespace msg_app

// The conversation screen pushed on the watch's window, over a host page.
class ViewerScreenFixture : public ListRowFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // count messages of one conversation, one every `stepSeconds` from `startMs`; their ids.
    std::vector<int> thread(int count, int64_t startMs, int64_t stepSeconds);
    // The messages of one conversation in one store write, which becomes `threadId`; their ids.
    std::vector<int> storeThread(const std::vector<msg_store::IncomingMessage>& messages);
    void open(int threadId);
    msg_app::msg_viewer::MVListViewController* listView() const;
    std::string topPageName() const;
    // Ends an application this screen launched (the input selector, say), as the user's back
    // would, so that it does not outlive the test's device.
    void closeLaunched(int64_t launchId);
    // The ids of the bubbles from the top, after checking that every bubble sits under the
    // date line of its day, in time order, once.
    std::vector<int> checkedBubbleIds() const;

    std::unique_ptr<view_kit::WWindowController> appWindow;
    msg_app::msg_viewer::MVContentViewController* screen = nullptr;
    int threadId = -1;
};

#endif
