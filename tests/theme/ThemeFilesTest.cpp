// The compiled theme files hold every group the screens load, and the colour
// and font tables parse and define every code the screens use.
#include "ThemeFiles.h"
#include "Pixels.h"

#include <Ecore_Evas.h>
#include <Edje.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace msg_test;

namespace {

// The image groups the code names, so that a new icon is checked without a list to keep.
std::set<std::string> imageGroupsInCode() {
    namespace fs = std::filesystem;
    static const std::regex group("\"(img/[A-Za-z0-9_/]+)\"");
    std::set<std::string> groups;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(MSG_SOURCE_DIR) / "src")) {
        if (!entry.is_regular_file())
            continue;
        std::stringstream code;
        code << std::ifstream(entry.path()).rdbuf();
        const std::string text = code.str();
        for (std::sregex_iterator it(text.begin(), text.end(), group), end; it != end; ++it)
            groups.insert((*it)[1]);
    }
    return groups;
}

// Groups the screens load that no widget test below or in the screens' folders loads.
const char* const kMessageGroups[] = {"elm/layout/application/default",
                                      "elm/button/base/bottom",
                                      "elm/popup/content/popup/circle",
                                      "elm/popup/buttons1/popup/circle",
                                      "elm/notify/block_events/popup/circle",
                                      "elm/button/base/select_mode",
                                      "elm/button/base/popup/circle",
                                      "elm/button/base/list/transparent",
                                      "elm/progressbar/horizontal/process",
                                      "elm/progressbar/horizontal/process/popup/small",
                                      "elm/progressbar/horizontal/process/msg_sending",
                                      "elm/ctxpopup/base/select_mode",
                                      "elm/ctxpopup/bg/select_mode",
                                      "elm/ctxpopup/arrow/select_mode",
                                      "elm/check/base/genlist/select_mode",
                                      "elm/genlist/base/message_only",
                                      "elm/genlist/item/title/default",
                                      "elm/genlist/item/groupindex/default",
                                      "elm/genlist/item/1text/default",
                                      "elm/genlist/item/title_menu_top_margin/default",
                                      "elm/genlist/item_compress/1text/message_only",
                                      "elm/genlist/item_compress/title/message_only",
                                      "watch/round_frame"};

// Colour and font codes that the screens replace, tint or style with.
const char* const kColorCodes[] = {"AO012",  "AO0110", "AO0112", "AO0113", "AO0114", "AO0116", "AO029L2",
                                   "AT0111", "AT017",  "AT0171", "B011",   "B013",   "B018E",  "B023",
                                   "B071",   "B0711",  "T012",   "T0231",  "T121"};
const char* const kFontCodes[] = {"AT0271", "AT0271P", "AT036", "AT050", "AT0311", "AT0232"};

struct Table {
    std::map<std::string, std::map<std::string, std::string>> entries; // id -> attributes
    std::vector<std::string> duplicates;
};

// Every element named entryName outside comments, keyed by its id. (That the application's loader
// reads the real tables whole is checked by the theme helper's tests.)
Table parseTable(const std::string& path, const std::string& entryName) {
    std::stringstream file;
    file << std::ifstream(path).rdbuf();
    const std::string xml = std::regex_replace(file.str(), std::regex("<!--[\\s\\S]*?-->"), "");
    const std::regex element("<" + entryName + "\\s([^>]*)>");
    static const std::regex attribute("(\\w+)=\"([^\"]*)\"");
    Table table;
    for (std::sregex_iterator it(xml.begin(), xml.end(), element), end; it != end; ++it) {
        std::map<std::string, std::string> attrs;
        const std::string body = (*it)[1];
        for (std::sregex_iterator at(body.begin(), body.end(), attribute); at != end; ++at)
            attrs[(*at)[1]] = (*at)[2];
        if (table.entries.count(attrs["id"]))
            table.duplicates.push_back(attrs["id"]);
        table.entries[attrs["id"]] = attrs;
    }
    return table;
}

using ThemeFilesTest = ::testing::Test;

TEST_F(ThemeFilesTest, TheFilesHoldEveryGroupTheScreensLoadAndEachImageGroupLoads) {
    for (const char* group : kMessageGroups)
        EXPECT_TRUE(edje_file_group_exists(messageEdj().c_str(), group)) << group;
    // A misspelt group is reported missing, so the checks above can fail.
    EXPECT_FALSE(edje_file_group_exists(messageEdj().c_str(), "elm/layout/nocontent/default"));
    Ecore_Evas* ee = ecore_evas_buffer_new(64, 64);
    ASSERT_NE(ee, nullptr);
    const std::set<std::string> images = imageGroupsInCode();
    EXPECT_GT(images.size(), 40u) << "no image group found under " << MSG_SOURCE_DIR;
    for (const std::string& group : images) {
        // Its images and masks are inside the file.
        Evas_Object* probe = edje_object_add(ecore_evas_get(ee));
        EXPECT_TRUE(edje_object_file_set(probe, imagesEdj().c_str(), group.c_str())) << group;
        EXPECT_EQ(edje_object_load_error_get(probe), EDJE_LOAD_ERROR_NONE) << group;
        evas_object_del(probe);
    }
    ecore_evas_free(ee);
}

// A bubble's background draws the same with the plain bands over its middle as without them, in
// either colour, pressed or not, at two sizes and two scales: the bands keep inside its rounded
// corners and take its colour.
TEST_F(ThemeFilesTest, ABubblesBandsDrawNothingItsRoundedBackgroundWouldNot) {
    constexpr int W = 260, H = 200;
    Ecore_Evas* ee = ecore_evas_buffer_new(W, H);
    ASSERT_NE(ee, nullptr);
    Evas* evas = ecore_evas_get(ee);
    Evas_Object* screen = evas_object_rectangle_add(evas);
    evas_object_color_set(screen, 0, 0, 0, 255);
    evas_object_resize(screen, W, H);
    evas_object_show(screen);
    for (const char* kind : {"receive", "send"})
        for (bool pressed : {false, true})
            for (double scale : {1.0, 1.5})
                for (auto [w, h] : {std::pair{220, 64}, std::pair{90, 130}}) {
                    SCOPED_TRACE(std::string(kind) + (pressed ? " pressed" : "") + " scale " +
                                 std::to_string(scale) + " " + std::to_string(w) + "x" + std::to_string(h));
                    Evas_Object* bubble = edje_object_add(evas);
                    ASSERT_TRUE(edje_object_file_set(
                        bubble, messageEdj().c_str(),
                        (std::string("elm/entry/base-noedit-mixedwrap/message/bubble/") + kind).c_str()));
                    edje_object_scale_set(bubble, scale);
                    evas_object_move(bubble, 10, 10);
                    evas_object_resize(bubble, w, h);
                    evas_object_show(bubble);
                    if (pressed) {
                        edje_object_signal_emit(bubble, "elm,state,bg,pressed", "");
                        edje_object_message_signal_process(bubble);
                    }
                    edje_object_calc_force(bubble);
                    const std::vector<uint32_t> withBands = canvasPixels(ee, W, H);
                    for (const char* band : {"bg.across", "bg.down"}) {
                        auto* obj = const_cast<Evas_Object*>(edje_object_part_object_get(bubble, band));
                        ASSERT_NE(obj, nullptr) << band;
                        evas_object_hide(obj);
                    }
                    const std::vector<uint32_t> without = canvasPixels(ee, W, H);
                    EXPECT_NE(without[(10 + h / 2) * W + 10 + w / 2], without[0]) << "no bubble drawn";
                    const PixelGap gap = largestPixelGap(withBands, without);
                    EXPECT_LE(gap.levels, 2) << "at " << gap.at % W - 10 << "," << gap.at / W - 10;
                    evas_object_del(bubble);
                }
    ecore_evas_free(ee);
}

// The theme's own defaults are the tables' values, so a screen looks the same before and after the
// tables are loaded.
TEST_F(ThemeFilesTest, TablesDefineEveryCodeTheScreensUseOnceAndTheThemesDefaultsAreTheirValues) {
    const Table colors = parseTable(tablePath("ChangeableColorInfo.xml"), "ChangeableColorInfo");
    const Table fonts = parseTable(tablePath("FontInfo.xml"), "FontInfo");
    EXPECT_TRUE(colors.duplicates.empty()) << colors.duplicates.front();
    EXPECT_TRUE(fonts.duplicates.empty()) << fonts.duplicates.front();
    for (const char* code : kColorCodes)
        EXPECT_TRUE(colors.entries.count(code)) << "colour " << code;
    for (const char* code : kFontCodes)
        EXPECT_TRUE(fonts.entries.count(code)) << "font " << code;
    Ecore_Evas* ee = ecore_evas_buffer_new(360, 360);
    ASSERT_NE(ee, nullptr);
    Evas_Object* obj = edje_object_add(ecore_evas_get(ee));
    ASSERT_TRUE(edje_object_file_set(obj, messageEdj().c_str(), "elm/layout/nocontents/default"));
    for (const auto& [id, attrs] : colors.entries) {
        int r = -1, g = -1, b = -1, a = -1;
        ASSERT_TRUE(edje_object_color_class_get(obj, id.c_str(), &r, &g, &b, &a, nullptr, nullptr, nullptr,
                                                nullptr, nullptr, nullptr, nullptr, nullptr))
            << id;
        char hex[10];
        std::snprintf(hex, sizeof(hex), "#%02X%02X%02X%02X", r, g, b, a);
        std::string expected = attrs.at("color");
        for (char& c : expected)
            c = g_ascii_toupper(c);
        EXPECT_EQ(expected, hex) << id;
    }
    const std::set<std::string> weights = {"Light", "Regular", "Medium", "Bold"};
    for (const auto& [id, attrs] : fonts.entries) {
        EXPECT_TRUE(weights.count(attrs.at("style"))) << id;
        const char* font = nullptr;
        Evas_Font_Size size = 0;
        ASSERT_TRUE(edje_object_text_class_get(obj, id.c_str(), &font, &size)) << id;
        EXPECT_GT(size, 0) << id;
        EXPECT_EQ(size, std::atoi(attrs.at("size").c_str())) << id;
        ASSERT_NE(font, nullptr);
        EXPECT_NE(std::string(font).find("DejaVu Sans"), std::string::npos) << id;
    }
    ecore_evas_free(ee);
}

} // namespace
