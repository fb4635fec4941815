#include "ViewerScreenFixture.h"

#include "LaunchJournal.h"
#include "LogCapture.h"
#include "MainLoop.h"
#include "RecordingScreenOpener.h"
#include "common/MCommonAppEventMgr.h"
#include "common/ui/MCommonFont.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemReply.h"

#include <vconf.h>

#include <algorithm>

using namespace msg_app::msg_viewer;
using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

namespace {

constexpr int64_t START_MS = 1700049600000;

class ViewerActionTest : public ViewerScreenFixture {
protected:
    RecordingScreenOpener opener;
    int activeThread() const {
        int active = -1;
        msg_store::ThreadManager().getActiveThreadId(active);
        return active;
    }
    // A raw notice on the store's content-changed topic, as another process could write it.
    static void announceContentChange(const std::string& payload) {
        msg_device::Device::getDefault()->write([&](msg_device::Connection&, msg_device::ChangeLog& log) {
            log.append(msg_store::ConnectionManager::topicOf(msg_store::EVENT_TYPE_CONTENT_CHANGED), payload);
            return true;
        });
    }
};

} // namespace

TEST_F(ViewerActionTest, ASenderThatIsANameHasNoReplyRow) {
    storeThread({msg_test::message("Emergency alert", "Take shelter", START_MS)});
    open(threadId);
    EXPECT_EQ(listView()->getReplyItem(), nullptr);
    EXPECT_EQ(listView()->getLoadedCount(), 1);
}

// The body text follows the double tap and the user's text size, as drawn in the bubbles.
TEST_F(ViewerActionTest, BodyTextSizeFollowsTheDoubleTapAndTheUserSetting) {
    // The font helper watches the settings of the device it started on: this test's one.
    msg_app::MCommonFont::destroy();
    std::vector<int> ids = thread(3, START_MS, 60);
    open(threadId);
    // The height of the newest bubble's laid-out lines, once it is not `unlike`.
    auto textHeight = [&](Evas_Coord unlike) {
        Evas_Coord height = -1;
        msg_test::pumpUntil([&] {
            MVItemBubble* bubble = listView()->findBubble(ids.back());
            Evas_Object* label = bubble ? MVItemBubbleTestPeer::label(bubble) : nullptr;
            Evas_Object* textblock = label ? elm_entry_textblock_get(label) : nullptr;
            if (textblock)
                evas_object_textblock_size_formatted_get(textblock, nullptr, &height);
            return height > 0 && height != unlike;
        });
        return height;
    };
    auto setUserSize = [](int setting, msg_app::MCommonFont::Size size) {
        ASSERT_EQ(vconf_set_int("db/setting/accessibility/font_size", setting), 0);
        ASSERT_TRUE(
            msg_test::pumpUntil([&] { return msg_app::MCommonFont::getInstance()->getSize() == size; }));
    };
    int userSize = msg_app::MCommonFont::getInstance()->getSize();
    ASSERT_EQ(userSize, msg_app::MCommonFont::SIZE_NORMAL);
    Evas_Coord normal = textHeight(-1);
    listView()->toggleFontSize(180);
    EXPECT_EQ(MVConversationActionsTestPeer::fontSize(listView()), msg_app::MCommonFont::SIZE_HUGE);
    EXPECT_GT(textHeight(normal), normal);
    listView()->toggleFontSize(180);
    EXPECT_EQ(MVConversationActionsTestPeer::fontSize(listView()), userSize);
    EXPECT_EQ(textHeight(-1), normal);

    // The user picks the small size in the settings while the conversation is open.
    setUserSize(0, msg_app::MCommonFont::SIZE_SMALL);
    EXPECT_EQ(MVConversationActionsTestPeer::fontSize(listView()), msg_app::MCommonFont::SIZE_SMALL);
    Evas_Coord small = textHeight(normal);
    EXPECT_LT(small, normal);
    // The large text of a double tap stays through a settings change, and goes back to the new size.
    listView()->toggleFontSize(180);
    EXPECT_GT(textHeight(small), normal);
    setUserSize(1, msg_app::MCommonFont::SIZE_NORMAL);
    EXPECT_EQ(MVConversationActionsTestPeer::fontSize(listView()), msg_app::MCommonFont::SIZE_HUGE);
    listView()->toggleFontSize(180);
    EXPECT_EQ(textHeight(-1), normal);
    msg_app::MCommonFont::destroy();
}

TEST_F(ViewerActionTest, PauseAndResumeFollowTheActiveThread) {
    thread(2, START_MS, 60);
    open(threadId);
    EXPECT_EQ(activeThread(), threadId);
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_PAUSED);
    EXPECT_EQ(activeThread(), 0);
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(activeThread(), threadId);
    appWindow->getNaviframeController()->pop();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return topPageName() == "host"; }));
    EXPECT_EQ(activeThread(), 0);
}

TEST_F(ViewerActionTest, ContentChangesWithGarbageIdsChangeNothing) {
    std::vector<int> ids = thread(3, START_MS, 60);
    open(threadId);
    msg_test::LogCapture log;
    for (const char* payload : {"content_changed_success:abc", "content_changed_success:99999999999",
                                "content_changed_success:", "content_changed_success:12x", "other:5"})
        announceContentChange(payload);
    announceContentChange("content_changed_success:" + std::to_string(ids.back()));
    ASSERT_TRUE(
        msg_test::pumpUntil([&] { return log.contains("msgId [" + std::to_string(ids.back()) + "]"); }));
    EXPECT_EQ(listView()->getModel().getCount(), 3);
    EXPECT_EQ(checkedBubbleIds(), ids);
}

TEST_F(ViewerActionTest, TappingAFailedMessageResendsItOnceAndForgetsADeletedBubble) {
    auto failed = msg_test::message("+15550100", "lost", START_MS, msg_store::FOLDER_OUTBOX);
    failed.networkStatus = msg_store::NETWORK_STATUS_SEND_FAIL;
    auto other = failed;
    other.text = "lost too";
    other.time = START_MS + 1000;
    std::vector<int> ids = storeThread({failed, other});
    open(threadId);
    MVItemBubble* bubble = listView()->findBubble(ids[0]);
    ASSERT_NE(bubble, nullptr);

    msg_test::LogCapture log;
    // A double tap: the bubble shows "sending" at once and one resend runs.
    bubble->onSelect(bubble->getElmObjectItem());
    EXPECT_EQ(bubble->getConv()->networkStatus, msg_store::NETWORK_STATUS_SENDING);
    bubble->onSelect(bubble->getElmObjectItem());
    ASSERT_TRUE(msg_test::pumpUntil([&] {
        msg_store::Message now;
        msg_store::MessageManager().getMessage(ids[0], now);
        return now.networkStatus == msg_store::NETWORK_STATUS_SENDING;
    }));
    // A second resend would show only as a second worker's line, and a worker never started
    // gives no event to wait for: a while passes.
    msg_test::pumpFor(0.1);
    EXPECT_EQ(log.count("Resend msgId [" + std::to_string(ids[0]) + "]"), 1);

    // The other bubble goes while its resend runs: the answer finds nothing to touch.
    bubble = listView()->findBubble(ids[1]);
    ASSERT_NE(bubble, nullptr);
    bubble->onSelect(bubble->getElmObjectItem());
    elm_object_item_del(bubble->getElmObjectItem());
    EXPECT_TRUE(msg_test::pumpUntil([&] {
        return log.contains("the bubble of msgId [" + std::to_string(ids[1]) + "] went before its resend");
    }));
    EXPECT_EQ(listView()->findBubble(ids[1]), nullptr);
}

TEST_F(ViewerActionTest, TappingAnMmsStillOnThePhoneAsksAndRequestsIt) {
    auto mms = msg_test::message("+15550100", "", START_MS);
    mms.msgType = "mms";
    mms.subject = "Holiday photos";
    mms.networkStatus = msg_store::NETWORK_STATUS_RETRIEVE_FAIL;
    int msgId = storeThread({mms}).front();
    // Cancel leaves it on the phone; OK asks the phone for it.
    for (const char* button : {"button1", "button2"}) {
        SCOPED_TRACE(button);
        open(threadId);
        MVItemBubble* bubble = listView()->findBubble(msgId);
        ASSERT_NE(bubble, nullptr);
        bubble->onSelect(bubble->getElmObjectItem());
        Evas_Object* popup = nullptr;
        ASSERT_TRUE(msg_test::runLoopUntil([&] {
            auto found =
                msg_test::objectsOfClass(evas_object_evas_get(appWindow->getEvasObject()), "Elm.Popup");
            popup = found.empty() ? nullptr : found.back();
            return popup != nullptr;
        }));
        const char* text = elm_object_part_text_get(elm_object_content_get(popup), "elm.text");
        EXPECT_STREQ(text, "View this multimedia message?");
        Evas_Object* ok = elm_object_part_content_get(popup, button);
        ASSERT_NE(ok, nullptr);
        bool closed = false;
        evas_object_event_callback_add(
            popup, EVAS_CALLBACK_DEL,
            [](void* data, Evas*, Evas_Object*, void*) { *static_cast<bool*>(data) = true; }, &closed);
        evas_object_smart_callback_call(ok, "clicked", nullptr);
        auto asked = [&] {
            std::vector<msg_store::PhoneRequest> requests;
            msg_store::PhoneSide::getRequests(requests);
            return std::any_of(requests.begin(), requests.end(), [&](const msg_store::PhoneRequest& r) {
                return r.kind == "download_mms" && r.msgId == msgId;
            });
        };
        // The popup goes once its button has done what it does.
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return closed; }));
        EXPECT_EQ(asked(), std::string(button) == "button2");
        appWindow->getNaviframeController()->pop();
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return topPageName() == "host"; }));
    }
}
