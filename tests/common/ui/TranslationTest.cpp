// Every string id that the code uses has a text in each compiled catalogue.
#include "CommonDeviceTest.h"
#include "EflTest.h"
#include "common/CommonUiHelper.h"

#include <Elementary.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Ids written as adjacent literals ("WDS_A_" "B") are joined as the compiler joins them.
std::set<std::string> idsIn(const fs::path& file) {
    std::stringstream buffer;
    buffer << std::ifstream(file).rdbuf();
    std::string code = std::regex_replace(buffer.str(), std::regex("\"\\s+\""), "");
    static const std::regex id("\"((WDS|IDS)_[A-Z0-9_]+)\"");
    std::set<std::string> ids;
    for (std::sregex_iterator it(code.begin(), code.end(), id), end; it != end; ++it)
        ids.insert((*it)[1]);
    return ids;
}

// The ids of the code in these folders of the source tree.
std::set<std::string> idsUnder(std::initializer_list<const char*> dirs) {
    std::set<std::string> ids;
    for (const char* dir : dirs) {
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(MSG_SOURCE_DIR) / dir)) {
            std::string ext = entry.path().extension();
            if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h"))
                ids.merge(idsIn(entry.path()));
        }
    }
    return ids;
}

class TranslationTest : public CommonDeviceTest {};

TEST_F(TranslationTest, EveryStringIdHasATextInEachLanguage) {
    std::set<std::string> ids = idsUnder({"src", "inc"});
    ASSERT_FALSE(ids.empty()) << "no string id found under " << MSG_SOURCE_DIR;
    EXPECT_STREQ("WDS_MSG_NO_SUCH_ID", msg_app::common_ui_helper::get_text("WDS_MSG_NO_SUCH_ID"));
    const struct {
        const char* locale;
        bool mirrored;
    } languages[] = {{"en_US.UTF-8", false}, {"ar_AE.UTF-8", true}, {"ko_KR.UTF-8", false}};
    std::set<std::string> english;
    for (const auto& language : languages) {
        SCOPED_TRACE(language.locale);
        setString("db/menu_widget/language", language.locale);
        ASSERT_TRUE(msg_app::common_ui_helper::set_textdomain());
        EXPECT_EQ(elm_config_mirrored_get(), language.mirrored ? EINA_TRUE : EINA_FALSE);
        for (const std::string& id : ids) {
            std::string text = msg_app::common_ui_helper::get_text(id.c_str());
            EXPECT_NE(id, text) << id << " has no text";
            // A copied English text is a missing translation.
            if (&language == &languages[0])
                english.insert(text);
            else
                EXPECT_EQ(english.count(text), 0u) << id << " is English: " << text;
        }
    }
}

// Korean breaks lines at its spaces only: a word cut between two syllables reads as two words.
// Every Korean text is laid out as a popup lays it out, at the width of a narrow text area; each
// line that does not start the text must start a word, unless the word alone is wider than a line.
TEST_F(TranslationTest, KoreanTextsBreakLinesOnlyBetweenWords) {
    constexpr int WIDTH = 200;
    constexpr const char* STYLE = "DEFAULT='font=Sans font_size=28 wrap=mixed'";
    std::set<std::string> ids = idsUnder({"src"});
    setString("db/menu_widget/language", "ko_KR.UTF-8");
    ASSERT_TRUE(msg_app::common_ui_helper::set_textdomain());
    msg_test::TestWindow window;
    Evas_Object* block = evas_object_textblock_add(window.evas());
    Evas_Textblock_Style* style = evas_textblock_style_new();
    evas_textblock_style_set(style, STYLE);
    evas_object_textblock_style_set(block, style);
    int multiLine = 0;
    for (const std::string& id : ids) {
        const char* text = msg_app::common_ui_helper::get_text(id.c_str());
        char* markup = evas_textblock_text_utf8_to_markup(block, text);
        evas_object_textblock_text_markup_set(block, markup);
        free(markup);
        evas_object_resize(block, WIDTH, 1000);
        Evas_Textblock_Cursor* cursor = evas_object_textblock_cursor_new(block);
        for (int line = 1; evas_textblock_cursor_line_set(cursor, line); ++line) {
            ++multiLine;
            evas_textblock_cursor_line_char_first(cursor);
            Evas_Textblock_Cursor* before = evas_object_textblock_cursor_new(block);
            evas_textblock_cursor_copy(cursor, before);
            evas_textblock_cursor_char_prev(before);
            char* previous = evas_textblock_cursor_content_get(before);
            bool atSpace = previous && (!strcmp(previous, " ") || !strcmp(previous, "<br/>"));
            if (!atSpace) {
                // The word the line starts in, measured alone in the same style.
                evas_textblock_cursor_word_start(before);
                Evas_Textblock_Cursor* end = evas_object_textblock_cursor_new(block);
                evas_textblock_cursor_copy(cursor, end);
                evas_textblock_cursor_word_end(end);
                char* whole = evas_textblock_cursor_range_text_get(before, end, EVAS_TEXTBLOCK_TEXT_PLAIN);
                EXPECT_GT(msg_app::common_ui_helper::getTextblockWidth(window.win(), whole, STYLE), WIDTH)
                    << id << ": \"" << text << "\" breaks the word \"" << whole << "\"";
                free(whole);
                evas_textblock_cursor_free(end);
            }
            free(previous);
            evas_textblock_cursor_free(before);
        }
        evas_textblock_cursor_free(cursor);
    }
    EXPECT_GT(multiLine, 10) << "too few texts wrapped to test anything";
    evas_object_del(block);
    evas_textblock_style_free(style);
}

} // namespace
