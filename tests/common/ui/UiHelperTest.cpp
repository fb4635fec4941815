// The theme, fonts, rotary stack, translations and UI helpers on real widgets.
#include "AppEventRecorder.h"
#include "CommonDeviceTest.h"
#include "EflTest.h"
#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"
#include "common/ui/MCommonFont.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "common/ui/MCommonTheme.h"
#include "efl_extension.h"
#include "qel.h"
#include "system_settings.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WPopupController.h"
#include "view_kit/WWindowController.h"

#include <Edje.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace msg_app;
using RotaryItem = MCommonRotaryActivateMgr::Item;

namespace {

void countCb(void* data, Evas_Object*, void*) {
    ++*static_cast<int*>(data);
}

// Where the page is, as "x,y wxh".
std::string at(view_kit::WViewController* page) {
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(page->getEvasObject(), &x, &y, &w, &h);
    return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" + std::to_string(h);
}

class UiHelperTest : public CommonDeviceTest {};

TEST_F(UiHelperTest, FontSizesMapToTextClassScalesAndTheNameFollows) {
    struct {
        int system;
        MCommonFont::Size size;
        int scale;
    } cases[] = {{0, MCommonFont::SIZE_SMALL, -80},
                 {1, MCommonFont::SIZE_NORMAL, -100},
                 {2, MCommonFont::SIZE_LARGE, -120},
                 {4, MCommonFont::SIZE_NORMAL, -100}};
    ASSERT_EQ(SYSTEM_SETTINGS_ERROR_NONE, system_settings_set_value_int(SYSTEM_SETTINGS_KEY_FONT_SIZE, 0));
    MCommonFont* font = MCommonFont::getInstance();
    for (const auto& c : cases) {
        AppEventRecorder events;
        if (c.system != 0) {
            ASSERT_EQ(SYSTEM_SETTINGS_ERROR_NONE,
                      system_settings_set_value_int(SYSTEM_SETTINGS_KEY_FONT_SIZE, c.system));
            ASSERT_TRUE(msg_test::pumpUntil([&] { return events.count(APP_EVENT_FONT_CHANGED) > 0; }))
                << c.system;
        }
        EXPECT_EQ(c.size, font->getSize()) << c.system;
        ASSERT_TRUE(font->setStyle("msg_test_text_class", MCommonFont::SIZE_NONE));
        const char* name = nullptr;
        Evas_Font_Size size = 0;
        ASSERT_TRUE(edje_text_class_get("msg_test_text_class", &name, &size));
        EXPECT_EQ(c.scale, size) << c.system;
        EXPECT_EQ(font->getName(), name);
    }

    // A new font name is read again.
    AppEventRecorder events;
    ASSERT_EQ(SYSTEM_SETTINGS_ERROR_NONE,
              system_settings_set_value_string(SYSTEM_SETTINGS_KEY_FONT_TYPE, "DejaVu Serif"));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return events.count(APP_EVENT_FONT_CHANGED) > 0; }));
    EXPECT_EQ("DejaVu Serif", font->getName());
    MCommonFont::destroy();
}

TEST_F(UiHelperTest, RotaryStackHandsTheBezelBack) {
    msg_test::TestWindow window;
    Evas_Object* first = elm_button_add(window.win());
    Evas_Object* second = elm_button_add(window.win());
    MCommonRotaryActivateMgr* mgr = MCommonRotaryActivateMgr::getInstance();
    auto* firstItem = new RotaryItem(first);
    auto* secondItem = new RotaryItem(second);
    bool secondDestroyed = false;
    secondItem->setOnDestroy([&] { secondDestroyed = true; });
    ASSERT_TRUE(firstItem->regist(true));
    EXPECT_TRUE(eext_rotary_object_event_activated_get(first));
    ASSERT_TRUE(secondItem->regist(true));
    EXPECT_TRUE(mgr->isTop(secondItem));
    EXPECT_TRUE(eext_rotary_object_event_activated_get(second));
    EXPECT_FALSE(eext_rotary_object_event_activated_get(first));

    EXPECT_TRUE(mgr->setActivate(false));
    EXPECT_FALSE(eext_rotary_object_event_activated_get(second));
    EXPECT_FALSE(eext_rotary_object_event_activated_get(first));
    EXPECT_TRUE(mgr->contains(secondItem));

    // The second object dies: its item goes and the first takes the bezel again.
    evas_object_del(second);
    EXPECT_TRUE(secondDestroyed);
    EXPECT_TRUE(mgr->isTop(firstItem));
    EXPECT_TRUE(eext_rotary_object_event_activated_get(first));

    delete firstItem;
    EXPECT_FALSE(mgr->contains(firstItem));
    EXPECT_FALSE(eext_rotary_object_event_activated_get(first));
    EXPECT_FALSE(mgr->setActivate(true));
}

TEST_F(UiHelperTest, ThemeTablesLayoutsAndIconsBySimAndCarrier) {
    msg_test::TestWindow window;
    MCommonTheme* theme = MCommonTheme::getInstance();
    ASSERT_TRUE(theme->init());
    int r = -1, g = -1, b = -1, a = -1;
    EXPECT_TRUE(qel_theme_get_color("AO012", &r, &g, &b, &a));
    // The application's layouts resolve through the theme.
    EXPECT_TRUE(elm_layout_theme_set(elm_layout_add(window.win()), "layout", "bottom_button", "default"));

    EXPECT_TRUE(common_ui_helper::has_sim_index_icon(msg_store::FOLDER_INBOX, 0));
    EXPECT_TRUE(common_ui_helper::has_sim_index_icon(msg_store::FOLDER_SENT, 2));
    EXPECT_FALSE(common_ui_helper::has_sim_index_icon(msg_store::FOLDER_DRAFT, 0));
    EXPECT_FALSE(common_ui_helper::has_sim_index_icon(msg_store::FOLDER_SPAM, 0));
    EXPECT_FALSE(common_ui_helper::has_sim_index_icon(msg_store::FOLDER_INBOX, 3));
    EXPECT_FALSE(common_ui_helper::has_sim_index_icon(msg_store::FOLDER_INBOX, -1));
    auto group = [](Evas_Object* image) {
        const char* name = nullptr;
        elm_image_file_get(image, nullptr, &name);
        return std::string(image && name ? name : "<none>");
    };

    setString("db/zeq/salescode", "KTO");
    EXPECT_EQ("img/status/safe_kt", group(common_ui_helper::create_safe_icon(window.win())));
    setString("db/zeq/salescode", "XYZ");
    EXPECT_EQ(nullptr, common_ui_helper::create_safe_icon(window.win()));
    theme->deinit();
    EXPECT_FALSE(elm_layout_theme_set(elm_layout_add(window.win()), "layout", "bottom_button", "default"));
}

TEST(LabelMarkupTest, TextShowsAsWrittenInValidUtf8) {
    const struct {
        const char* text;
        bool multiLine;
        size_t maxBytes;
        const char* markup;
    } cases[] = {
        {"<b>x</b> & <font_size=90>y", false, 0, "&lt;b&gt;x&lt;/b&gt; &amp; &lt;font_size=90&gt;y"},
        {"a\xff\xfe<i>\xc3", false, 0, "a\xef\xbf\xbd\xef\xbf\xbd&lt;i&gt;\xef\xbf\xbd"},
        {"one\r\ntwo\tthree\x01\x7f", false, 0, "one  two three  "},
        {"one\r\ntwo\tthree\x01\x7f", true, 0, "one<br/>two<tab/>three  "},
        {"abc\xe2\x82\xac", true, 4, "abc&hellip;"},
        {"a&c", true, 3, "a&amp;c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(common_ui_helper::to_label_markup(c.text, c.multiLine, c.maxBytes), c.markup);
    }
}

const std::string nbsp = "\u00A0";

// Marks that the text engine was seen to spin on, and the text of languages that stack marks.
TEST(LayoutSafeTextTest, MarksWithoutABaseSitOnANoBreakSpaceAndRealScriptsStayAsWritten) {
    const std::string eightMarks = "\u0301\u0302\u0303\u0304\u0305\u0306\u0307\u0308";
    const struct {
        std::string text;
        std::string safe;
    } cases[] = {
        // A space and the mark after it are one cluster, yet a line may break between them.
        {"a \u0301 y\u0489", "a " + nbsp + "\u0301 y\u0489"},
        {"  \u20DD\u20DD\u200B\u0484y", "  " + nbsp + "\u20DD\u20DD\u200B" + nbsp + "\u0484y"},
        {"\u0301start", nbsp + "\u0301start"},
        {"line\n\u0301\ttab\t\u200D", "line\n" + nbsp + "\u0301\ttab\t" + nbsp + "\u200D"},
        {"Z" + eightMarks + "\u0309\u030A\u030B" + " ok", "Z" + eightMarks + " ok"},
        {"a\xff\xfe", "a\uFFFD\uFFFD"},
        // A skin tone on no emoji: the shaper joins it to the letter, the line breaker does not.
        {"\u062D\U0001F3FD\uFFFDx", "\u062D" + nbsp + "\U0001F3FD\uFFFDx"},
        {"\U0001F44D\U0001F3FD\U0001F3FE \U0001F3FB",
         "\U0001F44D\U0001F3FD" + nbsp + "\U0001F3FE " + nbsp + "\U0001F3FB"},
        {" \uFF9E \U000E0067", " " + nbsp + "\uFF9E " + nbsp + "\U000E0067"},
        // A glue mark (a double diacritic) after a hyphen: a line may break between the two.
        {"-\u035F \u0671e", "-" + nbsp + "\u035F \u0671e"},
        {"x|\u0301\u034F", "x|\u0301" + nbsp + "\u034F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string safe = common_ui_helper::to_layout_safe(c.text);
        EXPECT_EQ(safe, c.safe);
        EXPECT_EQ(common_ui_helper::to_layout_safe(safe), safe);
    }
    // Vietnamese decomposed, Thai, Arabic with harakat, Devanagari, Korean jamo, Tibetan stacks,
    // Hebrew points, emoji joined and flagged: unchanged.
    for (const char* text :
         {"no-break\u00A0\u0301", "a\u035F-b", "Tie\u0302\u0301ng Vie\u0323\u0302t", "ที่น้ำ สวัสดี",
          "بِسْمِ ٱللَّٰهِ ٱلرَّحْمَٰنِ", "हिन्दी क्षत्रिय र्त्स्न्य", "\u1112\u1161\u11AB\u1100\u1173\u11AF 한국어", "བསྒྲུབས་ ཧཱུྃ",
          "בְּרֵאשִׁ֖ית", "\U0001F468\u200D\U0001F469\u200D\U0001F467 \U0001F44D\U0001F3FD 1\uFE0F\u20E3"})
        EXPECT_EQ(common_ui_helper::to_layout_safe(text), text);
    // The label conversion makes the text safe after its control characters became spaces.
    EXPECT_EQ(common_ui_helper::to_label_markup("a\x01\u0301", false), "a &nbsp;\u0301");
}

TEST(LayoutSafeTextTest, WhatIsTypedAfterTheCursorKeepsTheWholeSafe) {
    const std::string sevenMarks = "\u0301\u0302\u0303\u0304\u0305\u0306\u0307";
    const struct {
        const char* before;
        std::string insertion;
        std::string kept;
    } cases[] = {
        {"e", "\u0301", "\u0301"}, {"word ", "\u0301x", nbsp + "\u0301x"}, {"", "\u0301", nbsp + "\u0301"},
        {"", "plain", "plain"},    {"a\u00A0", "\u0301", "\u0301"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before + c.insertion);
        EXPECT_EQ(common_ui_helper::to_layout_safe_insertion(c.before, c.insertion), c.kept);
    }
    // Marks already on the character count towards its bound.
    EXPECT_EQ(common_ui_helper::to_layout_safe_insertion("a" + sevenMarks, "\u0308\u0309b"), "\u0308b");
}

class Page : public view_kit::WContentViewController {
protected:
    Evas_Object* onCreateView(Evas_Object* parent, void*) override { return elm_layout_add(parent); }
};

// A page with a list, counting the times its list is themed.
class ListPage : public view_kit::WContentViewController {
public:
    int themed = 0;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void*) override {
        Evas_Object* layout = common_ui_helper::add_app_layout(parent);
        Evas_Object* genlist = elm_genlist_add(layout);
        elm_object_part_content_set(layout, "elm.swallow.content", genlist);
        evas_object_smart_callback_add(genlist, "theme,changed", countCb, &themed);
        return layout;
    }
};

// A page of the application's theme is its content alone, sliding in over the whole screen and
// out again as the naviframe waits on its signals, and pushed from anything inside it. Built, then placed on
// the naviframe, it is not themed again, which would reload every layout in it and have its list measure the
// rows anew.
TEST_F(UiHelperTest, APageIsItsContentThemedOnceAndSlidesInAndOut) {
    ASSERT_TRUE(MCommonTheme::getInstance()->init());
    view_kit::WWindowController window;
    ASSERT_TRUE(window.create("pages", 360, 360));
    evas_object_resize(window.getEvasObject(), 360, 360);
    evas_object_show(window.getEvasObject());
    view_kit::WNaviframeController* naviframe = window.getNaviframeController();
    Evas_Object* frame = naviframe->getEvasObject();
    // The toolkit ignores a pop while a push still slides: each push is waited for to its end.
    int finished = 0;
    evas_object_smart_callback_add(frame, "transition,finished", countCb, &finished);
    auto* first = new Page();
    ASSERT_TRUE(naviframe->push(first));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return at(first) == "0,0 360x360"; })) << at(first);
    auto pushed = [&](view_kit::WContentViewController* page) {
        int before = finished;
        return naviframe->push(page) && msg_test::runLoopUntil([&] { return finished > before; });
    };
    auto* second = new Page();
    ASSERT_TRUE(pushed(second)) << "the page never came in";
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return at(first) == "-360,0 360x360"; })) << at(first);
    EXPECT_EQ("0,0 360x360", at(second));
    // The page's own parts beside its content, in the edje object that swallows it.
    Eina_List* members = evas_object_smart_members_get(evas_object_smart_parent_get(second->getEvasObject()));
    int texts = 0;
    void* member;
    EINA_LIST_FREE(members, member) {
        const char* type = evas_object_type_get(static_cast<Evas_Object*>(member));
        texts += type && (!strcmp(type, "text") || !strcmp(type, "textblock"));
    }
    EXPECT_EQ(0, texts) << "a title's text is measured, and its font loaded, even while hidden";
    elm_naviframe_item_pop(frame);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return eina_list_count(elm_naviframe_items_get(frame)) == 1; }));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return at(first) == "0,0 360x360"; })) << at(first);
    // The page over it deleted, the page under shows again where it rests, without a slide.
    auto* listPage = new ListPage();
    ASSERT_TRUE(pushed(listPage));
    EXPECT_EQ(0, listPage->themed);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return at(first) == "-360,0 360x360"; })) << at(first);
    elm_object_item_del(elm_naviframe_top_item_get(frame));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return at(first) == "0,0 360x360"; })) << at(first);
    // A title shown with its transition has nothing to move: the transition ends at once.
    int titled = 0;
    evas_object_smart_callback_add(frame, "title,transition,finished", countCb, &titled);
    elm_naviframe_item_title_enabled_set(elm_naviframe_top_item_get(frame), EINA_TRUE, EINA_TRUE);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return titled == 1; }));

    // From inside a popup of the page, a push finds the naviframe; outside any page it is refused.
    auto* popup = new view_kit::WPopupController();
    ASSERT_TRUE(first->attachPopup(popup));
    Evas_Object* button = elm_button_add(popup->getEvasObject());
    elm_object_content_set(popup->getEvasObject(), button);
    ASSERT_TRUE(common_ui_helper::push_to_naviframe(button, new Page()));
    EXPECT_EQ(2u, eina_list_count(elm_naviframe_items_get(frame)));
    EXPECT_FALSE(common_ui_helper::push_to_naviframe(elm_button_add(window.getEvasObject()), new Page()));
    MCommonTheme::getInstance()->deinit();
}

} // namespace

// Widths measured one after another, on one canvas and then another: each follows its own style, as
// measured on a textblock made for it alone.
TEST(TextblockWidthTest, EachWidthFollowsItsStyleOnEachCanvas) {
    const char* text = "12:34 PM";
    const char* small = "DEFAULT='font=Sans font_size=20'";
    const char* large = "DEFAULT='font=Sans font_size=40'";
    auto window = std::make_unique<msg_test::TestWindow>();
    int smallW = common_ui_helper::getTextblockWidth(window->win(), text, small);
    ASSERT_GT(smallW, 0);
    EXPECT_GT(common_ui_helper::getTextblockWidth(window->win(), text, large), smallW * 3 / 2);
    EXPECT_EQ(common_ui_helper::getTextblockWidth(window->win(), text, small), smallW);
    EXPECT_EQ(common_ui_helper::getTextblockWidth(window->win(), "", small), 0);
    EXPECT_GT(common_ui_helper::getTextblockWidth(window->win(), "12:34 PM, 1/2", small), smallW);

    // The canvas it measured on goes; the next one measures the same.
    window.reset();
    msg_test::TestWindow other;
    EXPECT_EQ(common_ui_helper::getTextblockWidth(other.win(), text, small), smallW);
}
