// The compiled theme files hold every group the screens load, and the colour
// and font tables parse and define every code the screens use.
#include "ThemeFiles.h"

#include <Ecore_Evas.h>
#include <Edje.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace msg_test;

namespace {

const char* const kImageGroups[] = {
#include "ImageGroups.inc"
};

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

// Reads a table with GLib's markup parser: every element named entryName, keyed by its id. (The
// application loading the real tables is checked by the theme helper's tests.)
bool parseTable(const std::string& path, const char* entryName, Table& table, std::string& error) {
    gchar* text = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(path.c_str(), &text, &length, nullptr)) {
        error = "cannot read " + path;
        return false;
    }
    struct Ctx {
        Table* table;
        const char* entryName;
    } ctx{&table, entryName};
    GMarkupParser parser = {};
    parser.start_element = [](GMarkupParseContext*, const gchar* name, const gchar** attrNames,
                              const gchar** attrValues, gpointer data, GError**) {
        auto* c = static_cast<Ctx*>(data);
        if (strcmp(name, c->entryName))
            return;
        std::map<std::string, std::string> attrs;
        for (int i = 0; attrNames[i]; ++i)
            attrs[attrNames[i]] = attrValues[i];
        const std::string id = attrs["id"];
        if (c->table->entries.count(id))
            c->table->duplicates.push_back(id);
        c->table->entries[id] = attrs;
    };
    GMarkupParseContext* context = g_markup_parse_context_new(&parser, G_MARKUP_DEFAULT_FLAGS, &ctx, nullptr);
    GError* gerror = nullptr;
    bool ok = g_markup_parse_context_parse(context, text, static_cast<gssize>(length), &gerror) &&
              g_markup_parse_context_end_parse(context, &gerror);
    if (!ok) {
        error = gerror ? gerror->message : "parse error";
        g_clear_error(&gerror);
    }
    g_markup_parse_context_free(context);
    g_free(text);
    return ok;
}

class ThemeFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(parseTable(tablePath("ChangeableColorInfo.xml"), "ChangeableColorInfo", colors, error))
            << error;
        ASSERT_TRUE(parseTable(tablePath("FontInfo.xml"), "FontInfo", fonts, error)) << error;
    }
    static Table colors;
    static Table fonts;
};

Table ThemeFilesTest::colors;
Table ThemeFilesTest::fonts;

TEST_F(ThemeFilesTest, TheFilesHoldEveryGroupTheScreensLoadAndEachImageGroupLoads) {
    for (const char* group : kMessageGroups)
        EXPECT_TRUE(edje_file_group_exists(messageEdj().c_str(), group)) << group;
    // A misspelt group is reported missing, so the checks above can fail.
    EXPECT_FALSE(edje_file_group_exists(messageEdj().c_str(), "elm/layout/nocontent/default"));
    Ecore_Evas* ee = ecore_evas_buffer_new(64, 64);
    ASSERT_NE(ee, nullptr);
    for (const char* group : kImageGroups) {
        // Its images and masks are inside the file.
        Evas_Object* probe = edje_object_add(ecore_evas_get(ee));
        EXPECT_TRUE(edje_object_file_set(probe, imagesEdj().c_str(), group)) << group;
        EXPECT_EQ(edje_object_load_error_get(probe), EDJE_LOAD_ERROR_NONE) << group;
        evas_object_del(probe);
    }
    ecore_evas_free(ee);
}

// The theme's own defaults are the tables' values, so a screen looks the same before and after the
// tables are loaded.
TEST_F(ThemeFilesTest, TablesDefineEveryCodeTheScreensUseOnceAndTheThemesDefaultsAreTheirValues) {
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
