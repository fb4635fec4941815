// The look check's rules on small canvases made for them: each rule fails on what it is
// meant to catch and passes what a screen may do.
#include "LookRules.h"
#include "EflTest.h"
#include "LookCanvas.h"

#include <Elementary.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using msg_look::Rule;
using msg_look::TextKind;

TEST(LookRulesTest, TextsAreToldNumbersNamesAndFileNamesInEveryScript) {
    const std::set<std::string> names = {"Ava Thompson", "Mia Lopez", "Noah Kim"};
    const struct {
        const char* text;
        TextKind kind;
    } cases[] = {
        {"+1 555-010-0013", TextKind::Number},
        {"\u200e+15550100005\u202c", TextKind::Number},
        {"12:05 PM", TextKind::Number},
        {"오후 12:05", TextKind::Number},
        {"\u0661\u0662:\u0660\u0665 \u0645", TextKind::Number}, // Arabic-Indic digits
        {"12/12/2025", TextKind::Number},
        {"23/160", TextKind::Number},
        {"Ava Thompson", TextKind::Name},
        {"\u2068Mia Lopez\u2069", TextKind::Name},
        {"Mia Lopez, Noah Kim", TextKind::Name},
        {"Mia Lopez, someone else", TextKind::Other},
        {"demo-voice.wav", TextKind::File},
        {"Yes! See you at 7", TextKind::Other},
        {"Recipients (3)", TextKind::Other},
        {"", TextKind::Other},
    };
    for (const auto& c : cases)
        EXPECT_EQ(msg_look::classifyText(c.text, names), c.kind) << c.text;
}

TEST(LookRulesTest, ContrastFollowsTheLuminanceFormula) {
    EXPECT_NEAR(msg_look::contrastRatio({0, 0, 0, 1}, {1, 1, 1, 1}), 21.0, 0.01);
    // Grey on the sent bubble's old blue, as a designer measured it.
    msg_look::Rgba grey{0xA3 / 255.0, 0xA3 / 255.0, 0xA3 / 255.0, 1};
    msg_look::Rgba blue{0x1F / 255.0, 0x78 / 255.0, 0xB8 / 255.0, 1};
    EXPECT_NEAR(msg_look::contrastRatio(grey, blue), 1.9, 0.1);
    // Half-transparent white over black is mid grey.
    msg_look::Rgba mid = msg_look::blend({1, 1, 1, 0.5}, {0, 0, 0, 1});
    EXPECT_NEAR(mid.r, 0.5, 0.001);
}

class LookCanvasTest : public ::testing::Test {
protected:
    LookCanvasTest() {
        Evas_Object* bg = evas_object_rectangle_add(window.evas());
        evas_object_color_set(bg, 0, 0, 0, 255);
        evas_object_resize(bg, 360, 360);
        evas_object_show(bg);
    }

    Evas_Object* rect(int x, int y, int w, int h, int r, int g, int b) {
        Evas_Object* o = evas_object_rectangle_add(window.evas());
        evas_object_color_set(o, r, g, b, 255);
        evas_object_move(o, x, y);
        evas_object_resize(o, w, h);
        evas_object_show(o);
        return o;
    }

    Evas_Object* text(const char* shown, int x, int y, int grey, int size = 20) {
        Evas_Object* o = evas_object_text_add(window.evas());
        evas_object_text_font_set(o, "DejaVu Sans", size);
        evas_object_text_text_set(o, shown);
        evas_object_color_set(o, grey, grey, grey, 255);
        evas_object_move(o, x, y);
        evas_object_show(o);
        return o;
    }

    // Each finding as "rule: text".
    std::vector<std::string> findings() {
        msg_test::runLoopUntilIdle();
        std::vector<std::string> out;
        for (const msg_look::Finding& f :
             msg_look::checkLook(msg_look::LookCanvas::read(window.win()), {"Ava"}))
            out.push_back(std::string(msg_look::ruleName(f.rule)) + ": " +
                          f.object.substr(0, f.object.find(" at ")));
        return out;
    }

    msg_test::TestWindow window;
};

TEST_F(LookCanvasTest, TextsOutsideTheCircleCutNumbersAndFaintTextsFailAndTheRestPasses) {
    text("Fine", 150, 170, 255);
    text("Corner", 4, 4, 255);
    rect(100, 220, 160, 40, 0x1F, 0x78, 0xB8);
    text("Faint", 120, 228, 0xA3);
    text("Clear", 190, 228, 255, 28);
    Evas_Object* number = text("+1 555-010-0013", 120, 120, 255);
    evas_object_text_ellipsis_set(number, 1.0);
    evas_object_resize(number, 60, 24);
    Evas_Object* name = text("Ava", 150, 90, 255);
    evas_object_text_ellipsis_set(name, 1.0);
    evas_object_resize(name, 20, 24);
    EXPECT_EQ(findings(), (std::vector<std::string>{
                              "inside the circle: text \"Corner\"",
                              "contrast: text \"Faint\"",
                              "numbers whole: text \"+1 555-010-0013\"",
                              "names cut only without room: text \"Ava\"",
                          }));
}

// A scroller of text lines: only what shows at its start is held to the circle, so lines below
// its end pass however far they reach, while its first line at the circle's narrow top fails.
TEST_F(LookCanvasTest, AScrolledTextIsHeldToTheCircleWhereItShows) {
    const struct {
        int y;
        std::vector<std::string> expected;
    } cases[] = {
        {250, {}},
        {6, {"inside the circle: text \"line\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        Evas_Object* scroller = elm_scroller_add(window.win());
        elm_scroller_policy_set(scroller, ELM_SCROLLER_POLICY_OFF, ELM_SCROLLER_POLICY_OFF);
        Evas_Object* label = elm_label_add(scroller);
        std::string lines;
        for (int i = 0; i < 12; ++i)
            lines += "line<br/>";
        elm_object_text_set(label, lines.c_str());
        elm_object_content_set(scroller, label);
        evas_object_move(scroller, 80, c.y);
        evas_object_resize(scroller, 200, 60);
        evas_object_show(label);
        evas_object_show(scroller);
        // The label is laid out at the scroller's start, taller than it, before the canvas is read.
        ASSERT_TRUE(msg_test::runLoopUntil([&] {
            int y = 0, h = 0;
            evas_object_geometry_get(label, nullptr, &y, nullptr, &h);
            return y == c.y && h > 60;
        }));
        std::vector<std::string> found;
        for (const std::string& f : findings())
            found.push_back(f.substr(0, f.find("line") + 5));
        EXPECT_EQ(found, c.expected);
        evas_object_del(scroller);
    }
}

} // namespace
