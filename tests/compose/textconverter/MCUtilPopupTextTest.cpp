#include "compose/MCUtil.h"

#include "TempDir.h"

#include "Programs.h"
#include <glib.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <libintl.h>
#include <string>

using msg_app::compose::MCUtil;

namespace {

// Reads the English texts compiled into the build's resource folder.
class MCUtilPopupText : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string localeDir = msg_test::resourceDir() + "/locale";
        setenv("LANGUAGE", "en", 1);
        std::setlocale(LC_ALL, "C.UTF-8");
        bindtextdomain("message", localeDir.c_str());
        bind_textdomain_codeset("message", "UTF-8");
    }
};

std::string popupText(bool withTextMessage, int mmsPageCount) {
    std::string out = "stale";
    MCUtil::getSmsPageOverPopupText(out, withTextMessage, mmsPageCount);
    return out;
}

TEST_F(MCUtilPopupText, NamesTheLimitAndThePageCounts) {
    EXPECT_EQ(
        popupText(true, 3),
        "Messages can only have up to 1000 characters. Send as 3 multimedia messages and 1 text message?");
    EXPECT_EQ(popupText(false, 2),
              "Messages can only have up to 1000 characters. Send as 2 multimedia messages?");
}

// A faulty translation must never make the formatting read counts that were
// not passed: its directives are filled in or shown as they stand.
TEST_F(MCUtilPopupText, FaultyTranslationIsShownSafely) {
    msg_test::TempDir dir;
    const std::string lcDir = dir.path() + "/en/LC_MESSAGES";
    ASSERT_EQ(g_mkdir_with_parents(lcDir.c_str(), 0755), 0);
    const std::string po = dir.file("bad.po");
    ASSERT_TRUE(
        g_file_set_contents(po.c_str(),
                            "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                            "msgid \"WDS_MSG_POP_MESSAGES_CAN_ONLY_HAVE_UP_TO_PD_CHARACTERS_SEND_AS_MMS_Q\"\n"
                            "msgstr \"%s %n %3$d %d %d 100%% %\"\n\n"
                            "msgid \"WDS_MSG_POP_MESSAGES_CAN_ONLY_HAVE_UP_TO_P1SD_CHARACTERS_SEND_AS_P2SD_"
                            "MMS_MESSAGES_Q\"\n"
                            "msgstr \"%2$d of %2$d (%1$d)\"\n",
                            -1, nullptr));
    const std::string command = "msgfmt -o '" + lcDir + "/message.mo' '" + po + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    const std::string previous = bindtextdomain("message", nullptr);
    bindtextdomain("message", dir.path().c_str());
    EXPECT_EQ(popupText(false, 1), "%s %n %3$d 1000 %d 100% %");
    EXPECT_EQ(popupText(false, 4), "4 of 4 (1000)");
    bindtextdomain("message", previous.c_str());
    EXPECT_EQ(popupText(false, 2),
              "Messages can only have up to 1000 characters. Send as 2 multimedia messages?");
}

} // namespace
