// The composer's widget builders on the watch's window: what the composer relies on from each.
#include "compose/MCUiHelper.h"
#include "LogCapture.h"
#include "WatchScreenTest.h"
#include "qel.h"

#include <cstdio>
#include <string>

using msg_app::compose::MCUiHelper;
using msg_test::LogCapture;

namespace {

class MCUiHelperTest : public WatchScreenTest {};

TEST_F(MCUiHelperTest, EntryHasNoContextMenu) {
    Evas_Object* entry = MCUiHelper::createEntry(window->getEvasObject());
    ASSERT_NE(nullptr, entry);
    EXPECT_TRUE(elm_entry_context_menu_disabled_get(entry));
}

TEST_F(MCUiHelperTest, ImageButtonFollowsScale) {
    const double before = elm_config_scale_get();
    for (double scale : {1.0, 2.0}) {
        elm_config_scale_set(scale);
        Evas_Object* button =
            MCUiHelper::createImageButton(window->getEvasObject(), nullptr, "img/option/compose", 50, 30);
        ASSERT_NE(nullptr, button);
        int w = 0, h = 0;
        evas_object_size_hint_min_get(button, &w, &h);
        EXPECT_EQ(static_cast<int>(50 * scale), w) << scale;
        EXPECT_EQ(static_cast<int>(30 * scale), h) << scale;
    }
    elm_config_scale_set(before);
}

TEST_F(MCUiHelperTest, GuideTextStyledForKnownFontPlainOtherwise) {
    Evas_Object* entry = MCUiHelper::createEntry(window->getEvasObject());
    const char* style = nullptr;
    int size = 0, r = 0, g = 0, b = 0, a = 0;
    ASSERT_TRUE(qel_theme_get_font("AT012", &style, &size));
    qel_theme_get_color("AT012", &r, &g, &b, &a);
    // Longer than a short fixed buffer, with characters that would otherwise be markup.
    const std::string guide = std::string(120, 'x') + " <b>&";
    char expected[256];
    std::snprintf(expected, sizeof(expected),
                  "<font_size=%d color=#%02x%02x%02x%02x>%s &lt;b&gt;&amp;</font>", size, r & 0xff, g & 0xff,
                  b & 0xff, a & 0xff, std::string(120, 'x').c_str());

    ASSERT_TRUE(MCUiHelper::setGuideTextStyle(entry, "AT013", "AT012", guide.c_str()));
    EXPECT_EQ(expected, partText(entry, "elm.guide"));

    ASSERT_TRUE(MCUiHelper::setGuideTextStyle(entry, "AT013", "NO_SUCH_CODE", "Message"));
    EXPECT_EQ("Message", partText(entry, "elm.guide"));
}

TEST_F(MCUiHelperTest, NullArgumentsRefused) {
    Evas_Object* parent = window->getEvasObject();
    Evas_Object* entry = MCUiHelper::createEntry(parent);
    EXPECT_EQ(nullptr, MCUiHelper::createLayout(nullptr));
    EXPECT_EQ(nullptr, MCUiHelper::createCustomLayout(parent, nullptr));
    EXPECT_EQ(nullptr, MCUiHelper::createImageButton(nullptr, nullptr, "img/option/compose", 1, 1));
    EXPECT_EQ(nullptr, MCUiHelper::createImageButton(parent, nullptr, nullptr, 1, 1));
    EXPECT_EQ(nullptr, MCUiHelper::createEntry(nullptr));

    struct Case {
        Evas_Object* obj;
        const char* normal;
        const char* guide;
        const char* text;
        const char* log;
    };
    const Case cases[] = {
        {nullptr, "AT013", "AT012", "t", "obj is nullptr"},
        {entry, nullptr, "AT012", "t", "normal_font_code is nullptr"},
        {entry, "AT013", nullptr, "t", "guide_font_code is nullptr"},
        {entry, "AT013", "AT012", nullptr, "guide_text is nullptr"},
    };
    for (const Case& c : cases) {
        LogCapture log;
        EXPECT_FALSE(MCUiHelper::setGuideTextStyle(c.obj, c.normal, c.guide, c.text)) << c.log;
        EXPECT_TRUE(log.contains(c.log)) << c.log;
    }
    EXPECT_EQ("", partText(entry, "elm.guide"));
}

} // namespace
