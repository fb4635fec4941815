// Searching a typed recipient: what is searched, what is marked, the bar's one search per pause in
// typing, and the list of every match.
#include "RecipientScreenTest.h"

#include "compose/recipient/MCRecipientSearch.h"
#include "compose/recipient/MCRecipientSearchBarViewController.h"
#include "compose/recipient/MCRecipientSearchListContentViewController.h"

using namespace msg_app::compose;
using Range = MCRecipientSearch::Range;

namespace {

class RecipientSearchTest : public RecipientScreenTest {
protected:
    void addCallLog(const std::string& number) {
        ASSERT_TRUE(
            contacts_admin::addCallLog(msg_device::Device::getDefault(), {number, 1700000000, 1}, nullptr));
    }
    MCRecipientSearchListContentViewController* openList(const char* keyword) {
        auto* list = new MCRecipientSearchListContentViewController(keyword);
        EXPECT_TRUE(push(list));
        EXPECT_TRUE(msg_test::runLoopUntil([&] { return list->isBuilt(); }));
        return list;
    }
    static std::vector<std::string> rowTexts(view_kit::WContentViewController* page) {
        std::vector<std::string> texts;
        for (Elm_Object_Item* it = elm_genlist_first_item_get(page->getEvasObject()); it;
             it = elm_genlist_item_next_get(it)) {
            // The main text, then the number or the count where there is one.
            std::string text;
            for (const char* part : {"elm.text", "elm.text.1", "elm.text.sub"}) {
                const char* shown = elm_object_item_part_text_get(it, part);
                if (shown && *shown)
                    text += (text.empty() ? "" : " | ") + std::string(shown);
            }
            texts.push_back(text);
        }
        return texts;
    }
    std::vector<std::string> saved;
};

} // namespace

TEST(RecipientSearchRules, WhatIsSearchedAndWhatIsMarked) {
    const std::pair<const char*, Range> ranges[] = {
        {"", Range::NONE},
        {"z", Range::NONE},
        {"12", Range::NONE},
        {"+1", Range::NONE},
        {"zo", Range::NAME},
        {"조이", Range::NAME},
        {"123", Range::NAME_AND_NUMBER},
        {"zoe", Range::NAME_AND_NUMBER},
        {"조", Range::NONE},
    };
    for (const auto& [keyword, range] : ranges)
        EXPECT_EQ(range, MCRecipientSearch::getRange(keyword)) << keyword;

    const struct {
        const char* keyword;
        const char* source;
        const char* marked;
    } marks[] = {
        {"zo", "Zoe Park", "<match>Zo</match>e Park"},
        {"park", "Zoe Park", "Zoe <match>Park</match>"},
        {"&", "Tom & Jerry", "Tom <match>&amp;</match> Jerry"},
        {"<b", "<b>bold</b>", "<match>&lt;b</match>&gt;bold&lt;/b&gt;"},
        {"5550", "+1 555-0100", "+1 <match>555-0</match>100"},
        {"999", "<i>none</i>", "&lt;i&gt;none&lt;/i&gt;"},
    };
    for (const auto& m : marks) {
        std::string out;
        MCRecipientSearch::setKeywordColor(m.keyword, m.source, out);
        EXPECT_EQ(m.marked, out) << m.keyword << " in " << m.source;
    }
}

// Quick keys give one search and the bar offers the best match; Done lists every match, contacts
// first, and hands the chosen number back.
TEST_F(RecipientSearchTest, TheBarOffersTheBestMatchAndTheListEveryMatch) {
    addContact("Zoe Park", "+15550100012");
    auto* entry = new MCRecipientEntryContentViewController();
    entry->setOnSaveAddr([this](const char* address) { saved.push_back(address); });
    ASSERT_TRUE(push(entry));
    auto bar = entry->getSearchBar();
    ASSERT_TRUE(bar);
    for (const char* key : {"z", "o", "e"})
        elm_entry_entry_insert(entry->getEntry(), key);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return bar->hasSearchResult(); }));
    EXPECT_EQ(1, bar->getSearchCount());
    EXPECT_EQ("Zoe Park", bar->getSearchedName());
    EXPECT_EQ("+15550100012", bar->getSearchedAddress());
    EXPECT_EQ(MCRecipientSearchBarViewController::ICON_PLUS, bar->getButtonIcon());
    EXPECT_EQ("<match>Zoe</match> Park", partText(bar->getEvasObject(), "elm.text"));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return takesInput(bar->getEvasObject()); }));

    // Digits nobody has: the digits themselves are offered.
    elm_entry_entry_set(entry->getEntry(), "");
    elm_entry_entry_insert(entry->getEntry(), "0107");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return bar->getSearchCount() == 2; }));
    EXPECT_EQ("0107", bar->getSearchedAddress());
    EXPECT_EQ(MCRecipientSearchBarViewController::ICON_ARROW, bar->getButtonIcon());

    addContact("Park & <Sons>", "+15550100013");
    // A contact's own number is listed with the contact; another number once.
    for (const char* number : {"+15550100012", "+15550100099", "+15550100099"})
        addCallLog(number);
    // Done on the typed text lists every match.
    elm_entry_entry_set(entry->getEntry(), "");
    elm_entry_entry_insert(entry->getEntry(), "555");
    pressKey("Return");
    ASSERT_TRUE(msg_test::runLoopUntil(
        [&] { return topPageName() == MCRecipientSearchListContentViewController::NAME; }));
    auto* list = static_cast<MCRecipientSearchListContentViewController*>(
        window->getNaviframeController()->getTopContentViewController());
    ASSERT_TRUE(msg_test::runLoopUntil([&] {
        std::vector<std::string> texts = rowTexts(list);
        return list->isBuilt() && !texts.empty() && !texts.back().empty();
    }));
    EXPECT_EQ((std::vector<std::string>{
                  "Search results | 3 results found",
                  "Park &amp; &lt;Sons&gt; | +1<match>555</match>0100013",
                  "Zoe Park | +1<match>555</match>0100012",
                  "+1<match>555</match>0100099",
              }),
              rowTexts(list));

    Elm_Object_Item* last = elm_genlist_last_item_get(list->getEvasObject());
    elm_genlist_item_selected_set(last, EINA_TRUE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !saved.empty(); }));
    EXPECT_EQ((std::vector<std::string>{"+15550100099"}), saved);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return topPageName().empty() || topPageName() == "host"; }));
}

TEST_F(RecipientSearchTest, TheListShowsAHundredContactsAtMostAndSaysWhenNothingMatches) {
    std::vector<contacts_admin::Person> many;
    for (int i = 0; i < 150; ++i)
        many.push_back({0, "Parker " + std::to_string(i), {"+1555020" + std::to_string(1000 + i)}});
    ASSERT_TRUE(contacts_admin::addPersons(msg_device::Device::getDefault(), many));
    EXPECT_EQ(101, MCRecipientSearch::searchFromContact("Park", 101, nullptr));

    // A hundred contacts and a number of the call log: the rows of one style share one size, and a
    // number's row keeps its own height after the named rows were sized.
    addCallLog("+15550299999");
    auto* list = openList("+155502");
    Evas_Object* genlist = list->getEvasObject();
    ASSERT_EQ(MCRecipientSearchListContentViewController::MAX_CONTACT_ITEMS + 1, list->getShownCount());
    auto heightOf = [genlist](Elm_Object_Item* item) {
        elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_IN);
        EXPECT_TRUE(msg_test::runLoopUntil([&] {
            Eina_List* shown = elm_genlist_realized_items_get(genlist);
            bool found = eina_list_data_find(shown, item) != nullptr;
            eina_list_free(shown);
            return found;
        }));
        Evas_Object* track = elm_object_item_track(item);
        Evas_Coord h = 0;
        evas_object_geometry_get(track, nullptr, nullptr, nullptr, &h);
        elm_object_item_untrack(item);
        return h;
    };
    Elm_Object_Item* named = elm_genlist_item_next_get(elm_genlist_first_item_get(genlist));
    Elm_Object_Item* number = elm_genlist_last_item_get(genlist);
    heightOf(number);
    EXPECT_STREQ("<match>+155502</match>99999", elm_object_item_part_text_get(number, "elm.text"));
    Evas_Coord namedHeight = heightOf(named);
    EXPECT_GT(namedHeight, heightOf(number));
    EXPECT_GT(heightOf(number), 0);
    window->getNaviframeController()->pop();
    ASSERT_TRUE(msg_test::runLoopUntil(
        [&] { return topPageName() != MCRecipientSearchListContentViewController::NAME; }));

    list = openList("Nobody");
    EXPECT_EQ(0, list->getShownCount());
    EXPECT_EQ((std::vector<std::string>{"Search results | No results found."}), rowTexts(list));
}
