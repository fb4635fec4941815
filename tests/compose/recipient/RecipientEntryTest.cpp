// The recipient entry: the carrier's length limit, separators, Done and what it reports on leaving.
#include "RecipientScreenTest.h"

#include "MainLoop.h"
#include "compose/MCRecipientEntryContentViewController.h"
#include "view_kit/WNaviframeController.h"

using namespace msg_app::compose;

namespace {

class RecipientEntryTest : public RecipientScreenTest {
protected:
    void openEntry(const char* address) {
        entry = new MCRecipientEntryContentViewController();
        entry->setAddr(address);
        entry->setOnSaveAddr([this](const char* saved) { this->saved.push_back(saved); });
        push(entry);
        ASSERT_NE(nullptr, entry->getEntry());
        elm_object_focus_set(entry->getEntry(), EINA_TRUE);
    }
    std::string text() const {
        return entry && entry->getEntry() ? elm_entry_entry_get(entry->getEntry()) : "";
    }
    bool entryOnTop() const { return topPageName() == MCRecipientEntryContentViewController::NAME; }
    // Typed or pasted: the entry's filters see it as the user's input.
    void input(const char* typed) {
        elm_entry_entry_insert(entry->getEntry(), typed);
        settle();
    }

    MCRecipientEntryContentViewController* entry = nullptr;
    std::vector<std::string> saved;
};

} // namespace

TEST_F(RecipientEntryTest, TheCarriersSalesCodeLimitsTheLength) {
    const struct {
        const char* code;
        size_t kept;
    } cases[] = {{"KTO", 20}, {"SKC", 20}, {"LUO", 32}, {"XAR", 40}};
    const char* forty = "1234567890123456789012345678901234567890";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        setString("db/zeq/salescode", c.code);
        openEntry("");
        input(forty);
        EXPECT_EQ(c.kept, text().size());
        EXPECT_EQ(c.kept < 40, hasToast("Maximum number of characters reached."));
        entry->destroyPopup();
        window->getNaviframeController()->pop();
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !entryOnTop(); }));
    }
}

TEST_F(RecipientEntryTest, ASeparatorEndsTheRecipientAndAPastedListIsRefusedWhole) {
    openEntry("");
    input("123");
    input("123,456");
    EXPECT_EQ("123", text());
    EXPECT_TRUE(waitToast("Invalid recipient."));
    EXPECT_TRUE(entryOnTop());
    EXPECT_TRUE(saved.empty());

    input(",");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !entryOnTop(); }));
    EXPECT_EQ((std::vector<std::string>{"123"}), saved);

    // A pasted number with a trailing separator is taken as one.
    saved.clear();
    openEntry("");
    input("0104567;");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !entryOnTop(); }));
    EXPECT_EQ((std::vector<std::string>{"0104567"}), saved);
}

TEST_F(RecipientEntryTest, DoneOnTooShortATextSaysWhatIsMissing) {
    const struct {
        const char* typed;
        const char* toast;
    } cases[] = {{"12", "Enter 3 or more digits."},
                 {"+1", "Enter 3 or more digits."},
                 {"z", "Enter 2 or more letters."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        openEntry(c.typed);
        pressKey("Return");
        EXPECT_TRUE(waitToast(c.toast));
        EXPECT_TRUE(entryOnTop());
        entry->destroyPopup();
        window->getNaviframeController()->pop();
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !entryOnTop(); }));
    }
    // Leaving reports the text once, whatever asks the page to go.
    EXPECT_EQ((std::vector<std::string>{"12", "+1", "z"}), saved);
}
