// A new message from start to end: the recipient screen the list opens, "zo" typed and the offered
// contact taken, Next asking the input selector, the selector's answer sending the text through the
// compose process, and the phone delivering it into the conversation list.
#include "RecipientScreenTest.h"

#include "MainLoop.h"
#include "Programs.h"
#include "compose/MCItem/MCItemRcptLabel.h"
#include "compose/MCItem/MCItemRcptNextButton.h"
#include "compose/MCLaunchMgr.h"
#include "compose/MCRecipientEntryContentViewController.h"
#include "compose/MCRecipientSearchBarViewController.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WNaviframeController.h"

using namespace msg_app::compose;
using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

TEST_F(RecipientScreenTest, ANewMessageToAContactFoundByTypingIsSentAndListed) {
    applyProfile("phone-bt");
    addContact("Zoe Park", "+15550100012");
    view_kit::WContentViewController* composer = nullptr;
    ASSERT_EQ(MCLaunchMgr::ERROR_NONE, MCLaunchMgr::createNewComposer(&composer));
    screen = dynamic_cast<MCRecipientContentViewController*>(composer);
    ASSERT_NE(nullptr, screen);
    push(screen);

    auto* label = row<MCItemRcptLabel>();
    ASSERT_NE(nullptr, label);
    MCRecipientEntryContentViewController* entry = tapRecipient();
    ASSERT_NE(nullptr, entry);
    auto bar = entry->getSearchBar();
    ASSERT_TRUE(bar);
    elm_entry_entry_insert(entry->getEntry(), "z");
    elm_entry_entry_insert(entry->getEntry(), "o");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return bar->getSearchedName() == "Zoe Park"; }));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return takesInput(bar->getEvasObject()); }));
    tap(bar->getEvasObject());
    ASSERT_TRUE(
        msg_test::runLoopUntil([&] { return topPageName() == MCRecipientContentViewController::NAME; }));
    EXPECT_STREQ("+15550100012", label->getAddr());

    auto* next = row<MCItemRcptNextButton>();
    ASSERT_TRUE(next && msg_test::runLoopUntil([&] { return takesInput(next->getButton()); }));
    size_t before = launchesTo(MCRecipientContentViewController::INPUT_SELECTOR_APP_ID).size();
    tap(next->getButton());
    std::vector<LaunchEntry> asked = launchesTo(MCRecipientContentViewController::INPUT_SELECTOR_APP_ID);
    ASSERT_EQ(before + 1, asked.size());
    msg_test::ProgramRun run = msg_test::runProgram(
        "msg-sim", {"select", std::to_string(asked.back().id), "--text", "See you at 6 <b>&</b>"});
    ASSERT_EQ(0, run.exitCode) << run.err;

    std::vector<msg_store::OutboxEntry> outbox;
    ASSERT_TRUE(msg_test::pumpUntil(
        [&] {
            outbox.clear();
            msg_store::PhoneSide::getOutbox(outbox);
            return !outbox.empty();
        },
        20.0));
    EXPECT_EQ("+15550100012", outbox.front().address);
    run = msg_test::runProgram("msg-sim", {"phone"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    msg_store::Message sent;
    ASSERT_TRUE(msg_test::pumpUntil(
        [&] {
            return msg_store::MessageManager().getMessage(outbox.front().msgId, sent) == 0 &&
                   sent.folderType == msg_store::FOLDER_SENT;
        },
        20.0));
    EXPECT_EQ("See you at 6 <b>&</b>", sent.text);
    std::vector<msg_store::Thread> threads;
    msg_store::ThreadManager().getAllThreads(threads);
    ASSERT_FALSE(threads.empty());
    EXPECT_EQ("See you at 6 <b>&</b>", threads.front().snippet);

    for (const LaunchEntry& launched : LaunchJournal::list()) {
        if (launched.status == "started")
            closeLaunched(launched);
    }
}
