// The watch's window over a fresh device with a connected store, for the blocked-message viewer:
// blocked messages arrive through the phone side and the viewer is pushed on the naviframe.
#ifndef MSG_TESTS_BLOCK_BLOCKVIEWFIXTURE_H
#define MSG_TESTS_BLOCK_BLOCKVIEWFIXTURE_H

#include "WatchScreenTest.h"
#include "block/MBContentViewController.h"
#include "block/MBItem/MBItem.h"
#include "msg_store/PhoneSide.h"

#include <memory>
#include <string>
#include <vector>

class BlockViewFixture : public WatchScreenTest {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A message from `from` in the watch's spam folder unless the record says otherwise; its id.
    int receive(msg_store::IncomingMessage message, const std::string& from = "+15550100");
    static msg_store::IncomingMessage sms(const std::string& text);
    static msg_store::IncomingMessage mms(const std::string& subject, std::vector<msg_store::Content> parts);
    static msg_store::Content part(msg_store::Content::MediaType type, const std::string& mime,
                                   const std::string& fileName);
    // A real PNG of the given size in the device folder; its path.
    std::string writePng(const std::string& name, int width, int height);

    // Pushes the viewer of the message over the host page and lets it lay out.
    msg_app::msg_block::MBContentViewController* open(int msgId);
    std::vector<msg_app::msg_block::MBItem*> rows() const;
    std::vector<msg_app::msg_block::MBItem::Type> rowTypes() const;
    // What a row shows in a text part, as the plain text a reader sees.
    static std::string shownPlain(msg_app::msg_block::MBItem* row, const char* part = "elm.text");
    // Opens the option panel and taps its entry; the entry's text, empty when the panel did not open.
    std::string tapOption(int index);
    // Runs the loop until the viewer has left the naviframe; popViewer() first asks it to leave.
    bool waitPopped();
    bool popViewer();
    // The platform journal's texts, oldest first.
    static std::vector<std::string> journal();

    msg_app::msg_block::MBContentViewController* viewer = nullptr;
    std::weak_ptr<view_kit::WViewController> viewerWeak;
};

#endif
