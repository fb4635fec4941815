// Every string id that the code uses has a text in each compiled catalogue.
#include "CommonDeviceTest.h"
#include "common/CommonUiHelper.h"

#include <Elementary.h>

#include <gtest/gtest.h>

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
    std::ifstream in(file);
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string code = std::regex_replace(buffer.str(), std::regex("\"\\s+\""), "");
    static const std::regex id("\"((WDS|IDS)_[A-Z0-9_]+)\"");
    std::set<std::string> ids;
    for (std::sregex_iterator it(code.begin(), code.end(), id), end; it != end; ++it)
        ids.insert((*it)[1]);
    return ids;
}

std::set<std::string> idsUnder(const fs::path& dir) {
    std::set<std::string> ids;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        std::string ext = entry.path().extension();
        if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h")) {
            std::set<std::string> found = idsIn(entry.path());
            ids.insert(found.begin(), found.end());
        }
    }
    return ids;
}

class TranslationTest : public CommonDeviceTest {};

TEST_F(TranslationTest, EveryStringIdHasATextInEachLanguage) {
    std::set<std::string> ids = idsUnder(fs::path(MSG_SOURCE_DIR) / "src");
    std::set<std::string> headerIds = idsUnder(fs::path(MSG_SOURCE_DIR) / "inc");
    ids.insert(headerIds.begin(), headerIds.end());
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

} // namespace
