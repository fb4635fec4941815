// Widgets given the application's styles find them in the theme extension:
// each draws from the group of its style, with the parts Elementary fills.
#include "EflTest.h"
#include "ThemeFiles.h"
#include "qel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace msg_test;

namespace {

std::string groupOf(Evas_Object* edje) {
    const char* group = nullptr;
    edje_object_file_get(edje, nullptr, &group);
    return group ? group : "";
}

// The popup keeps its themed layout inside its notify; find the first edje
// object below obj whose group starts with prefix.
Evas_Object* findEdje(Evas_Object* obj, const std::string& prefix) {
    if (groupOf(obj).rfind(prefix, 0) == 0)
        return obj;
    Evas_Object* found = nullptr;
    Eina_List* members = evas_object_smart_members_get(obj);
    void* member;
    EINA_LIST_FREE(members, member) {
        if (!found)
            found = findEdje(static_cast<Evas_Object*>(member), prefix);
    }
    return found;
}

// Collects the error lines Elementary prints when a style or layout cannot be found.
void collectErrorCb(const Eina_Log_Domain* domain, Eina_Log_Level level, const char*, const char*, int,
                    const char* fmt, void* data, va_list args) {
    if (level > EINA_LOG_LEVEL_ERR || !domain || strcmp(domain->name, "elementary"))
        return;
    char buf[512];
    vsnprintf(buf, sizeof(buf), fmt, args);
    static_cast<std::vector<std::string>*>(data)->emplace_back(buf);
}

class ThemeWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        theme.applyTo(window.win());
        eina_log_print_cb_set(collectErrorCb, &errors);
    }
    // A style or layout the theme lacks is an error line of Elementary's.
    void TearDown() override {
        eina_log_print_cb_set(eina_log_print_cb_stderr, nullptr);
        for (const std::string& line : errors)
            ADD_FAILURE() << line;
    }
    ThemeWithExtension theme;
    TestWindow window;
    std::vector<std::string> errors;
};

TEST_F(ThemeWidgetTest, CirclePopupWithTwoButtonsUsesTheRoundStyle) {
    Evas_Object* popup = elm_popup_add(window.win());
    ASSERT_TRUE(elm_object_style_set(popup, "circle"));
    Evas_Object* content = elm_layout_add(popup);
    ASSERT_TRUE(elm_layout_theme_set(content, "layout", "popup", "content/circle/buttons2"));
    elm_object_content_set(popup, content);
    Evas_Object* left = elm_button_add(popup);
    elm_object_style_set(left, "popup/circle/left");
    elm_object_part_content_set(popup, "button1", left);
    Evas_Object* right = elm_button_add(popup);
    elm_object_style_set(right, "popup/circle/right");
    elm_object_part_content_set(popup, "button2", right);
    evas_object_show(popup);
    runLoopUntilIdle();

    // A missing group or style is an error line of Elementary's, failed in TearDown.
    EXPECT_NE(findEdje(popup, "elm/popup/buttons2/popup/circle"), nullptr);
    EXPECT_EQ(groupOf(elm_layout_edje_get(right)), "elm/button/base/popup/circle/right");

    // The two buttons share the bottom segment of the circle, side by side.
    Evas_Coord lx, ly, lw, lh, rx, ry, rw, rh;
    evas_object_geometry_get(left, &lx, &ly, &lw, &lh);
    evas_object_geometry_get(right, &rx, &ry, &rw, &rh);
    EXPECT_GT(lw, 100);
    EXPECT_EQ(ly, ry);
    EXPECT_LE(lx + lw, rx);
    EXPECT_GE(ly + lh, 350);

    // An unknown style is reported, so the checks above can fail.
    elm_object_style_set(popup, "no/such/style");
    EXPECT_FALSE(errors.empty());
    errors.clear();
    evas_object_del(popup);
}

TEST_F(ThemeWidgetTest, ToastStylesShowTheTextAndOnlyTheCheckStyleShowsTheMark) {
    for (const char* style : {"toast/circle", "toast/circle/check"}) {
        SCOPED_TRACE(style);
        Evas_Object* toast = elm_popup_add(window.win());
        ASSERT_TRUE(elm_object_style_set(toast, style));
        elm_popup_orient_set(toast, ELM_POPUP_ORIENT_BOTTOM);
        elm_object_part_text_set(toast, "elm.text", "Sent");
        evas_object_show(toast);
        runLoopUntilIdle();
        Evas_Object* edje = findEdje(toast, "elm/popup/base/");
        ASSERT_NE(edje, nullptr);
        EXPECT_EQ(groupOf(edje), std::string("elm/popup/base/") + style);
        EXPECT_NE(findEdje(toast, std::string("elm/notify/bottom/popup/") + style), nullptr);
        EXPECT_EQ(edje_object_part_exists(edje, "sent"), strcmp(style, "toast/circle/check") == 0);
        // The text reaches the screen through the style's own label.
        Evas_Object* label = findEdje(toast, std::string("elm/label/base/popup/") + style);
        ASSERT_NE(label, nullptr);
        EXPECT_STREQ(edje_object_part_text_get(label, "elm.text"), "Sent");
        evas_object_del(toast);
    }
}

// Where the last of twenty rows ends once the list is scrolled as far as it goes.
int lastRowBottomAtEnd(Evas_Object* gl) {
    static Elm_Genlist_Item_Class itc = [] {
        Elm_Genlist_Item_Class c = {};
        c.item_style = "full";
        c.func.content_get = [](void*, Evas_Object* obj, const char*) -> Evas_Object* {
            Evas_Object* rect = evas_object_rectangle_add(evas_object_evas_get(obj));
            evas_object_size_hint_min_set(rect, 360, 60);
            return rect;
        };
        return c;
    }();
    Elm_Object_Item* last = nullptr;
    for (int i = 0; i < 20; ++i)
        last = elm_genlist_item_append(gl, &itc, nullptr, nullptr, ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
    evas_object_resize(gl, 360, 360);
    evas_object_show(gl);
    elm_scroller_region_show(gl, 0, 1 << 20, 360, 1);
    // The row is drawn once realized in view: only then does its tracker get its size.
    int y = 0, h = 0;
    auto measure = [&] {
        Evas_Object* track = elm_object_item_track(last);
        if (track)
            evas_object_geometry_get(track, nullptr, &y, nullptr, &h);
        elm_object_item_untrack(last);
        return track && h > 0;
    };
    EXPECT_TRUE(pumpUntil(measure, 2.0));
    return y + h;
}

TEST_F(ThemeWidgetTest, ABottomMarginLetsTheLastRowReachTheMiddleAndOutlivesAStyleChange) {
    struct Case {
        const char* style;
        bool margin;
        const char* styleAfter; // set after the margin was asked for, reloading the list's theme
        bool offAgain;
        int bottom;
    };
    const Case cases[] = {
        {"default", false, nullptr, false, 360},
        {"default", true, "message_only", false, 180},
        {"message_only", true, "default", false, 180},
        {"default", true, "message_only", true, 360},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.style) + (c.margin ? " margin" : "") + " then " +
                     (c.styleAfter ? c.styleAfter : "-") + (c.offAgain ? " off again" : ""));
        Evas_Object* gl = elm_genlist_add(window.win());
        elm_object_style_set(gl, c.style);
        qel_genlist_set_bottom_margin_enabled(gl, c.margin);
        if (c.styleAfter)
            elm_object_style_set(gl, c.styleAfter);
        if (c.offAgain)
            qel_genlist_set_bottom_margin_enabled(gl, EINA_FALSE);
        EXPECT_EQ(lastRowBottomAtEnd(gl), c.bottom);
        // The room is after the rows: the list still scrolls over its whole height.
        int viewport = 0;
        elm_scroller_region_get(gl, nullptr, nullptr, nullptr, &viewport);
        EXPECT_EQ(viewport, 360);
        evas_object_del(gl);
    }
}

} // namespace
