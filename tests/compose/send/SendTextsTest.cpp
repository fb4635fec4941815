// The carriers' road tables, every row for every combination of roads that are up; the texts of the
// watch network's refusals and of a text too long for one message, in English.
#include "compose/MCUtil.h"
#include "compose/send/MCOutgoingRoads.h"
#include "compose/send/MCRejectCauseText.h"

#include "TempDir.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <functional>
#include <libintl.h>

using namespace msg_app::compose;
using msg_app::connectivity::YoxConn;
using Roads = MCOutgoingRoads;

namespace {

class SendTextsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("LANGUAGE", "en", 1);
        setlocale(LC_ALL, "C.UTF-8");
        const char* res = std::getenv("MSG_RES_DIR");
        bindtextdomain("message", (std::string(res ? res : "res") + "/locale").c_str());
        bind_textdomain_codeset("message", "UTF-8");
    }
    static std::string tr(const char* id) { return dgettext("message", id); }
};

// Each carrier's table, chosen by its sales code and, on one carrier, by the network being at home.
TEST_F(SendTextsTest, RejectTextsOfEachCarriersTable) {
    const std::string registrationFailed =
        tr("IDS_MSG_TPOP_FAILED_TO_SEND_MESSAGE_NETWORK_REGISTRATION_FAILED_KOR");
    const std::string blocked = tr("IDS_PROV_POPMOBILE_NETWORKS_ARE_CURRENTLY_BLOCKED_MSG");
    const struct {
        const char* salesCode;
        bool domestic;
        int cause;
        int msgType;
        std::string expected;
    } cases[] = {
        {"KTO", false, 7, MSG_TYPE_MMS, tr("IDS_PROV_POP_MOBILE_NETWORKS_NOT_ALLOWED_KOR")},
        {"KTC", true, 7, MSG_TYPE_SMS, registrationFailed},
        {"LUC", true, 19, MSG_TYPE_SMS, blocked},
        {"LUO", true, 40, MSG_TYPE_SMS, tr("IDS_COM_POP_CONNECTION_FAILED")},
        {"LUO", false, 16, MSG_TYPE_SMS,
         tr("IDS_QP_MBODY_NETWORK_REGISTRATION_DELAY_KOR_LGT") + " [16]\n" +
             tr("IDS_QP_SBODY_TRY_AGAIN_LATER_KOR_LGT")},
        {"LUC", false, 19, MSG_TYPE_MMS, blocked},
        {"LUO", false, 999, MSG_TYPE_SMS,
         tr("IDS_PROV_MBODY_NO_ROAMING_NETWORKS_FOUND_KOR_LGT") + " " +
             tr("WDS_PROV_POP_CHECK_NETWORK_OPERATORS_IN_SETTINGS_KOR_LGT")},
        {"XAA", true, 7, MSG_TYPE_SMS, tr("WDS_MSG_TPOP_COULDNT_SEND_MESSAGE_ABB")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, MCRejectCauseText::compose(MCRejectCauseText::tableOf(c.salesCode, c.domestic),
                                                         c.cause, c.msgType))
            << c.salesCode << (c.domestic ? " at home" : " roaming") << ", cause " << c.cause;
    // The texts are real translations, not the ids.
    EXPECT_EQ(std::string::npos, registrationFailed.find("IDS_"));
}

std::string popupText(bool withTextMessage, int mmsPageCount) {
    std::string out = "stale";
    MCUtil::getSmsPageOverPopupText(out, withTextMessage, mmsPageCount);
    return out;
}

// A faulty translation must never make the formatting read counts that were
// not passed: its directives are filled in or shown as they stand. The real one names the limit and
// the page counts.
TEST_F(SendTextsTest, PageCountTextsAndAFaultyTranslationShownSafely) {
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
    EXPECT_EQ(popupText(false, 1) + " | " + popupText(false, 4), "%s %n %3$d 1000 %d 100% % | 4 of 4 (1000)");
    bindtextdomain("message", previous.c_str());
    const std::string limit = "Messages can only have up to 1000 characters. Send as ";
    EXPECT_EQ(popupText(false, 2), limit + "2 multimedia messages?");
    EXPECT_EQ(popupText(true, 3), limit + "3 multimedia messages and 1 text message?");
}

constexpr SendBy N = SendBy::NONE;
constexpr SendBy P = SendBy::PHONE;
constexpr SendBy H = SendBy::HULM;
constexpr SendBy S = SendBy::NMS;

// Roads up, in the tables' column order: neither, device only, phone only, both.
Roads::Links links(int column, YoxConn conn = YoxConn::BT) {
    bool phone = column >= 2;
    return {phone, column == 1 || column == 3, phone ? conn : YoxConn::NONE};
}

// A new message's road, and the road a preferred one leaves, for each column of roads up.
TEST(OutgoingRoadsTest, NewMessageAndAvailableRoads) {
    auto newMessage = [](Roads::OutgoingType type, int status, YoxConn conn, int operatorId) {
        return
            [=](int column) { return Roads::newMessageRoad(type, status, links(column, conn), operatorId); };
    };
    auto available = [](Roads::OutgoingType type, int status, SendBy preferred, int msgId) {
        return
            [=](int column) { return Roads::availableRoad(type, status, preferred, links(column), msgId); };
    };
    const struct {
        const char* name;
        std::function<SendBy(int)> road;
        SendBy columns[4];
    } rows[] = {
        {"new, number sync active", newMessage(Roads::NUMBER_SYNC, 0, YoxConn::BT, 4), {N, S, P, S}},
        {"new, number sync other", newMessage(Roads::NUMBER_SYNC, 3, YoxConn::BT, 4), {N, H, N, H}},
        {"new, sharing enabled", newMessage(Roads::NUMBER_SHARING, 1, YoxConn::BT, 5), {N, H, P, H}},
        {"new, sharing other", newMessage(Roads::NUMBER_SHARING, 2, YoxConn::BT, 5), {N, H, P, P}},
        {"new, general over Bluetooth", newMessage(Roads::GENERAL, -1, YoxConn::BT, 0), {N, H, P, P}},
        {"new, general over the remote link", newMessage(Roads::GENERAL, -1, YoxConn::RLX, 0), {N, H, P, H}},
        {"new, general remote, operator 6", newMessage(Roads::GENERAL, -1, YoxConn::RLX, 6), {N, H, P, P}},
        {"general, phone preferred", available(Roads::GENERAL, -1, P, 0), {N, H, P, P}},
        {"general, device preferred", available(Roads::GENERAL, -1, H, 0), {N, H, P, H}},
        {"general, no preference", available(Roads::GENERAL, -1, N, 0), {N, N, N, N}},
        {"sharing enabled, phone", available(Roads::NUMBER_SHARING, 1, P, 0), {N, H, P, H}},
        {"sharing disabled, phone", available(Roads::NUMBER_SHARING, 2, P, 0), {N, H, P, P}},
        {"sync active, device, reply", available(Roads::NUMBER_SYNC, 0, H, 7), {N, H, P, H}},
        {"sync active, device, new", available(Roads::NUMBER_SYNC, 0, H, 0), {N, S, P, S}},
        {"sync other, phone", available(Roads::NUMBER_SYNC, 3, P, 7), {N, H, N, H}},
    };
    for (const auto& row : rows)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(row.columns[column], row.road(column)) << row.name << ", column " << column;
}

} // namespace
