// The look check: every named screen of the executables, rendered in English, Arabic and
// Korean on a demo device, keeps the round screen's rules (LookRules.h) at rest.
// One test per screen and language. MSG_LOOK_SCREENS="a b" checks only those screens;
// MSG_LOOK_DUMP=1 prints what each one draws.
#include "LookCanvas.h"
#include "LookRules.h"
#include "ScreenRegistry.h"
#include "ScreenRender.h"
#include "ShotScreens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <ostream>
#include <sstream>
#include <vector>

namespace {

using msg_look::Rule;

// A screen that may break one rule, and why.
struct OptOut {
    const char* screen;
    Rule rule;
    const char* why;
};

const OptOut OPT_OUTS[] = {
    {"demo", Rule::InsideCircle, "the view framework's own demo, not a screen of the application"},
    {"demo-popup", Rule::OverlayDim, "the view framework's own demo, not a screen of the application"},
    {"viewer-media-rows", Rule::InsideCircle,
     "its one bubble of text, picture, file and status line is taller than the circle is high at the "
     "bubble's side: no rest shows it whole, and the bezel brings each part in whole"},
    {"list-progress", Rule::OverlayDim,
     "pictured the moment its delete starts, while the progress popup may still be fading in"},
};

bool exempt(const std::string& screen, const msg_look::Finding& finding) {
    return std::any_of(std::begin(OPT_OUTS), std::end(OPT_OUTS),
                       [&](const OptOut& o) { return screen == o.screen && finding.rule == o.rule; });
}

struct ScreenInLanguage {
    std::string screen;
    std::string locale;
    msg_look::Clock clock;
};

// gtest names the parameter in a failure's heading.
void PrintTo(const ScreenInLanguage& s, std::ostream* out) {
    *out << s.screen << " in " << s.locale
         << (s.clock == msg_look::Clock::AFTER_MIDNIGHT ? " after midnight" : "");
}

// Screens showing the newest conversations' times and dates, which read differently just after
// midnight (a date beside a name, a day's line between two bubbles): these are checked at both
// hours, every other screen at midday only.
bool showsTheNewestDates(const std::string& screen) {
    return screen.compare(0, 4, "list") == 0 || screen == "viewer" || screen == "viewer-top";
}

std::vector<ScreenInLanguage> everyScreenInEveryLanguage() {
    std::vector<std::string> screens;
    if (const char* only = getenv("MSG_LOOK_SCREENS")) {
        std::istringstream words(only);
        for (std::string word; words >> word;)
            screens.push_back(word);
    } else {
        msg_app::shell::registerBuiltinScreens();
        screens = msg_app::shell::ScreenRegistry::getInstance().names();
    }
    std::vector<ScreenInLanguage> all;
    for (const char* locale : {"en_US.UTF-8", "ar_AE.UTF-8", "ko_KR.UTF-8"}) {
        for (const std::string& screen : screens) {
            all.push_back({screen, locale, msg_look::Clock::MIDDAY});
            if (showsTheNewestDates(screen))
                all.push_back({screen, locale, msg_look::Clock::AFTER_MIDNIGHT});
        }
    }
    return all;
}

// One demo device for every screen: each renders a fresh copy of it.
class LookCheck : public msg_look::ScreenRenderSuite<::testing::TestWithParam<ScreenInLanguage>> {};

TEST_P(LookCheck, KeepsTheRoundScreensRulesAtRest) {
    ASSERT_TRUE(prepared) << error;
    const std::string& screen = GetParam().screen;
    const std::string& locale = GetParam().locale;
    std::string failure;
    std::vector<msg_look::Finding> findings;
    bool rendered = render->render(
        screen, locale, GetParam().clock,
        [&](Evas_Object* win) {
            msg_look::LookCanvas canvas = msg_look::LookCanvas::read(win);
            if (getenv("MSG_LOOK_DUMP"))
                printf("=== %s %s\n%s", screen.c_str(), locale.c_str(), canvas.dump().c_str());
            findings = msg_look::checkLook(canvas, render->names());
        },
        &failure);
    ASSERT_TRUE(rendered) << failure;
    for (const msg_look::Finding& f : findings) {
        if (!exempt(screen, f))
            ADD_FAILURE() << screen << " [" << locale << "] " << msg_look::ruleName(f.rule) << ": "
                          << f.object << ": " << f.detail;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, LookCheck, ::testing::ValuesIn(everyScreenInEveryLanguage()),
                         [](const ::testing::TestParamInfo<ScreenInLanguage>& info) {
                             std::string name =
                                 info.param.screen + "_" + info.param.locale.substr(0, 2) +
                                 (info.param.clock == msg_look::Clock::AFTER_MIDNIGHT ? "_night" : "");
                             for (char& c : name)
                                 c = isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

} // namespace
