// The entry's guide text on the watch's window: styled by the theme's codes, escaped, never cut.
// (The other widget builders are used by every screen of the composer and tested through them.)
#include "compose/MCUiHelper.h"
#include "WatchScreenTest.h"
#include "qel.h"

#include <cstdio>
#include <string>

using msg_app::compose::MCUiHelper;

namespace {

class MCUiHelperTest : public WatchScreenTest {};

TEST_F(MCUiHelperTest, GuideTextStyledEscapedAndUncut) {
    Evas_Object* entry = MCUiHelper::createEntry(window->getEvasObject());
    const char* style = nullptr;
    int size = 0, r = 0, g = 0, b = 0, a = 0;
    ASSERT_TRUE(qel_theme_get_font("AT012", &style, &size));
    qel_theme_get_color("AT012", &r, &g, &b, &a);
    const std::string xs(120, 'x');
    char expected[256];
    std::snprintf(expected, sizeof(expected),
                  "<font_size=%d color=#%02x%02x%02x%02x>%s &lt;b&gt;&amp;</font>", size, r & 0xff, g & 0xff,
                  b & 0xff, a & 0xff, xs.c_str());
    ASSERT_TRUE(MCUiHelper::setGuideTextStyle(entry, "AT013", "AT012", (xs + " <b>&").c_str()));
    EXPECT_EQ(expected, partText(entry, "elm.guide"));
    ASSERT_TRUE(MCUiHelper::setGuideTextStyle(entry, "AT013", "NO_SUCH_CODE", "Message"));
    EXPECT_EQ("Message", partText(entry, "elm.guide"));

    // A missing argument refuses the call and leaves the guide as it was.
    EXPECT_FALSE(MCUiHelper::setGuideTextStyle(nullptr, "AT013", "AT012", "t"));
    EXPECT_FALSE(MCUiHelper::setGuideTextStyle(entry, "AT013", "AT012", nullptr));
    EXPECT_EQ("Message", partText(entry, "elm.guide"));
}

} // namespace
