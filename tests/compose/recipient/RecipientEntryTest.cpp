// The recipient entry: the carrier's length limit, separators, Done and what it reports on leaving.
#include "RecipientScreenTest.h"

using namespace msg_app::compose;

namespace {

class RecipientEntryTest : public RecipientScreenTest {
protected:
    void openEntry(const char* address) {
        entry = new MCRecipientEntryContentViewController();
        entry->setAddr(address);
        entry->setOnSaveAddr([this](const char* saved) { this->saved.push_back(saved); });
        ASSERT_TRUE(push(entry));
        ASSERT_NE(nullptr, entry->getEntry());
        elm_object_focus_set(entry->getEntry(), EINA_TRUE);
    }
    std::string text() const {
        return entry && entry->getEntry() ? elm_entry_entry_get(entry->getEntry()) : "";
    }
    bool entryOnTop() const { return topPageName() == MCRecipientEntryContentViewController::NAME; }
    // Its toast dismissed, the entry goes back as the back key takes it.
    void closeEntry() {
        entry->destroyPopup();
        window->getNaviframeController()->pop();
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !entryOnTop(); }));
    }
    // Typed or pasted: the entry's filters see it as the user's input.
    void input(const char* typed) {
        elm_entry_entry_insert(entry->getEntry(), typed);
        settle();
    }

    MCRecipientEntryContentViewController* entry = nullptr;
    std::vector<std::string> saved;
};

} // namespace

// The carrier's sales code limits the length; Done on too short a text says what is missing. Leaving
// reports the text once, whatever asks the page to go.
TEST_F(RecipientEntryTest, TheCarriersLengthLimitAndDoneOnTooShortAText) {
    const std::string forty = "1234567890123456789012345678901234567890";
    const struct {
        const char* code;
        const char* address;
        std::string typed;
        std::string kept;
        const char* toast; // nullptr: none
    } cases[] = {
        {"KTO", "", forty, forty.substr(0, 20), "Maximum number of characters reached."},
        {"LUO", "", forty, forty.substr(0, 32), "Maximum number of characters reached."},
        {"XAR", "", forty, forty, nullptr},
        {"XAR", "+1", "", "+1", "Enter 3 or more digits."},
        {"XAR", "z", "", "z", "Enter 2 or more letters."},
    };
    std::vector<std::string> kept;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.address);
        setString("db/zeq/salescode", c.code);
        openEntry(c.address);
        if (c.typed.empty())
            pressKey("Return");
        else
            input(c.typed.c_str());
        EXPECT_EQ(c.kept, text());
        EXPECT_TRUE(c.toast ? waitToast(c.toast) : !hasToast("Maximum number of characters reached."));
        EXPECT_TRUE(entryOnTop());
        closeEntry();
        kept.push_back(c.kept);
    }
    EXPECT_EQ(kept, saved);
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

// Leaving after the panel is down is the recipient screen tests' way of typing a recipient.
TEST_F(RecipientEntryTest, TheFocusedEntryRaisesTheInputPanelAndBackLowersItFirst) {
    openEntry("Zo");
    auto* imf = static_cast<Ecore_IMF_Context*>(elm_entry_imf_context_get(entry->getEntry()));
    ASSERT_NE(nullptr, imf);
    ASSERT_TRUE(msg_test::runLoopUntil(
        [&] { return ecore_imf_context_input_panel_state_get(imf) == ECORE_IMF_INPUT_PANEL_STATE_SHOW; }));
    int x = -1, panelTop = -1, w = -1, h = -1;
    ecore_imf_context_input_panel_geometry_get(imf, &x, &panelTop, &w, &h);
    // Without prediction the panel has no suggestion row; it spans the screen's foot.
    EXPECT_EQ(MCRecipientEntryContentViewController::PANEL_HEIGHT_PLAIN, h);
    EXPECT_EQ(360, panelTop + h);
    EXPECT_EQ(360, w);
    auto entryBottom = [&] {
        int y = 0, eh = 0;
        evas_object_geometry_get(entry->getEntry(), nullptr, &y, nullptr, &eh);
        return y + eh;
    };
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return entryBottom() <= panelTop; })) << entryBottom();

    pressKey("Escape");
    EXPECT_EQ(ECORE_IMF_INPUT_PANEL_STATE_HIDE, ecore_imf_context_input_panel_state_get(imf));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return entryBottom() > panelTop; })) << entryBottom();
    EXPECT_TRUE(entryOnTop());
    EXPECT_TRUE(saved.empty());
}
