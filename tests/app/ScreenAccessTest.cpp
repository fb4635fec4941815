// What the screen reader is told of the composer's screens, the recipient views and the media rows
// of bubbles: each control a name and a role, with the device's reader setting on; with it off,
// none of them beyond what the toolkit says of any widget.
// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "ScreenRender.h"
#include "vconf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr const char* TTS_KEY = "db/setting/accessibility/tts";
constexpr Efl_Access_Role BUTTON = EFL_ACCESS_ROLE_PUSH_BUTTON;
constexpr Efl_Access_Role HEADING = EFL_ACCESS_ROLE_HEADING;

struct Control {
    std::string name;
    Efl_Access_Role role;
    bool operator==(const Control& o) const { return name == o.name && role == o.role; }
};

void PrintTo(const Control& c, std::ostream* out) {
    *out << "'" << c.name << "' role " << static_cast<int>(c.role);
}

// Every named object a reader reaches from obj: the widgets, a list's rows and what a row holds.
void collect(Eo* obj, std::vector<Control>& out, int depth = 0) {
    const char* name = efl_access_object_i18n_name_get(obj);
    if (name && *name)
        out.push_back({name, efl_access_object_role_get(obj)});
    Eina_List* children = efl_access_object_access_children_get(obj);
    void* child = nullptr;
    EINA_LIST_FREE(children, child) {
        if (depth < 40)
            collect(static_cast<Eo*>(child), out, depth + 1);
    }
}

// A screen and the controls it names (in English) that the toolkit alone would leave unnamed or
// with another role; alsoOff: checked with the reader off too (a screen of each kind).
struct ScreenControls {
    const char* screen;
    std::vector<Control> controls;
    bool alsoOff;
};

const ScreenControls SCREENS[] = {
    {"compose-rcpt", {{"Contacts", BUTTON}}, false},
    {"compose-rcpt-filled", {{"Remove recipient", BUTTON}}, false},
    {"compose-rcpt-search", {{"Ava Thompson", BUTTON}, {"Add recipient", BUTTON}}, true},
    {"compose-rcpt-results", {{"Search results, 13 results found", HEADING}}, false},
    {"compose-body-discard", {{"Cancel", BUTTON}, {"OK", BUTTON}}, false},
    {"viewer-recipients", {{"Recipients \u2066(3)\u2069", HEADING}}, false},
    {"viewer-recipient-detail", {{"Call", BUTTON}, {"Message", BUTTON}, {"Create contact", BUTTON}}, true},
    {"viewer-media-rows", {{"Attached image", BUTTON}, {"address.vcf", BUTTON}, {"Today", HEADING}}, true},
    {"viewer-voice-clip", {{"Attached audio", BUTTON}}, false},
    {"viewer-video", {{"Attached video", BUTTON}}, false},
};

class ScreenAccess : public msg_look::ScreenRenderSuite<::testing::Test> {
protected:
    // The named controls of the screen, rendered with the reader on or off.
    static std::vector<Control> controls(const char* screen, bool readerOn) {
        render->setBeforeStart([readerOn] { vconf_set_bool(TTS_KEY, readerOn); });
        std::vector<Control> all;
        std::string failure;
        EXPECT_TRUE(render->render(
            screen, "en_US.UTF-8", msg_look::Clock::MIDDAY, [&](Evas_Object* win) { collect(win, all); },
            &failure))
            << screen << ": " << failure;
        return all;
    }
    static bool has(const std::vector<Control>& all, const Control& control) {
        return std::find(all.begin(), all.end(), control) != all.end();
    }
};

TEST_F(ScreenAccess, EveryControlIsNamedWithItsRoleOnlyWhileTheReaderIsOn) {
    ASSERT_TRUE(prepared) << error;
    for (const ScreenControls& screen : SCREENS) {
        for (bool readerOn : {true, false}) {
            if (!readerOn && !screen.alsoOff)
                continue;
            SCOPED_TRACE(std::string(screen.screen) + (readerOn ? ", reader on" : ", reader off"));
            std::vector<Control> all = controls(screen.screen, readerOn);
            for (const Control& control : screen.controls)
                EXPECT_EQ(has(all, control), readerOn) << ::testing::PrintToString(control);
        }
    }
}

} // namespace
