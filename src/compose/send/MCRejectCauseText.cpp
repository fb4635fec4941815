#include "compose/send/MCRejectCauseText.h"

#include "common/MsgLog.h"
#include "compose/MCMsgData.h"

#include <glib.h>
#include <libintl.h>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* TEXT_DOMAIN = "message";
constexpr int NO_TEXT_CAUSE = 999;
constexpr int BLOCKED_CAUSE = 19;

constexpr const char* ACTIVATION =
    "IDS_PROV_POP_PHONE_ACTIVATION_REQUIRED_N_CONTACT_YOUR_CUSTOMER_CENTRE_OR_LOCAL_DEALER_KOR";
constexpr const char* AUTH_FAILED =
    "IDS_PROV_POP_FAILED_TO_AUTHENTICATE_THE_DEVICE_IF_THIS_PROBLEM_PERSISTS_AFTER_"
    "RESTARTING_YOUR_DEVICE_CONTACT_CUSTOMER_SERVICES";
constexpr const char* ESIM_RESET = "WDS_PROV_POP_COULDNT_RESET_ESIM_CONTACT_CUSTOMER_SERVICES_KOR_KT";
constexpr const char* REGISTRATION_FAILED =
    "IDS_MSG_TPOP_FAILED_TO_SEND_MESSAGE_NETWORK_REGISTRATION_FAILED_KOR";
constexpr const char* MOBILE_NOT_ALLOWED = "IDS_PROV_POP_MOBILE_NETWORKS_NOT_ALLOWED_KOR";
constexpr const char* REGISTRATION_IN_PROGRESS =
    "IDS_PROV_POP_NETWORK_REGISTRATION_IN_PROGRESS_TRY_AGAIN_IN_A_MOMENT";
constexpr const char* CONNECTION_FAILED = "IDS_COM_POP_CONNECTION_FAILED";
constexpr const char* NETWORKS_BLOCKED = "IDS_PROV_POPMOBILE_NETWORKS_ARE_CURRENTLY_BLOCKED_MSG";
constexpr const char* NO_ROAMING = "IDS_PROV_MBODY_NO_ROAMING_NETWORKS_FOUND_KOR_LGT";
constexpr const char* RESTART = "IDS_QP_MBODY_RESTART_YOUR_DEVICE_KOR_LGT";
constexpr const char* NO_DATA = "IDS_QP_MBODY_UNABLE_TO_USE_MOBILE_DATA_KOR_LGT";
constexpr const char* VOICE_AND_TEXT_ONLY =
    "IDS_QP_SBODY_ONLY_VOICE_CALLING_AND_TEXT_MESSAGING_FUNCTIONS_ARE_AVAILABLE_MULTIMEDIA_MESSAGING_IS_NOT_"
    "AVAILABLE_KOR_LGT";
constexpr const char* CHECK_OPERATORS = "WDS_PROV_POP_CHECK_NETWORK_OPERATORS_IN_SETTINGS_KOR_LGT";
constexpr const char* REGISTRATION_DELAY = "IDS_QP_MBODY_NETWORK_REGISTRATION_DELAY_KOR_LGT";
constexpr const char* TRY_LATER = "IDS_QP_SBODY_TRY_AGAIN_LATER_KOR_LGT";
constexpr const char* COULDNT_SEND = "WDS_MSG_TPOP_COULDNT_SEND_MESSAGE_ABB";

using Row = MCRejectCauseText::Row;
constexpr int F1 = MCRejectCauseText::FLAG_CAUSE;

const Row KT_ROWS[] = {
    {NO_TEXT_CAUSE, nullptr, nullptr, 0, nullptr, nullptr},
    {2, ACTIVATION, nullptr, 0, nullptr, nullptr},
    {3, AUTH_FAILED, nullptr, 0, nullptr, nullptr},
    {6, ESIM_RESET, nullptr, 0, nullptr, nullptr},
    {7, REGISTRATION_FAILED, MOBILE_NOT_ALLOWED, 0, nullptr, nullptr},
    {14, REGISTRATION_FAILED, MOBILE_NOT_ALLOWED, 0, nullptr, nullptr},
    {8, REGISTRATION_FAILED, nullptr, 0, nullptr, nullptr},
    {11, REGISTRATION_FAILED, nullptr, 0, nullptr, nullptr},
    {12, REGISTRATION_FAILED, nullptr, 0, nullptr, nullptr},
    {13, REGISTRATION_FAILED, nullptr, 0, nullptr, nullptr},
    {15, REGISTRATION_FAILED, nullptr, 0, nullptr, nullptr},
    {16, REGISTRATION_IN_PROGRESS, nullptr, 0, nullptr, nullptr},
    {17, REGISTRATION_IN_PROGRESS, nullptr, 0, nullptr, nullptr},
    {22, REGISTRATION_IN_PROGRESS, nullptr, 0, nullptr, nullptr},
};

const Row LG_DOMESTIC_ROWS[] = {
    {NO_TEXT_CAUSE, nullptr, nullptr, 0, nullptr, nullptr},
    {2, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {3, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {6, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {7, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {8, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {11, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {12, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {13, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {14, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {15, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {16, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {17, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {22, CONNECTION_FAILED, nullptr, 0, nullptr, nullptr},
    {BLOCKED_CAUSE, NETWORKS_BLOCKED, nullptr, 0, nullptr, nullptr},
};

const Row LG_ROAMING_ROWS[] = {
    {NO_TEXT_CAUSE, nullptr, nullptr, 0, nullptr, nullptr},
    {2, NO_ROAMING, RESTART, F1, nullptr, nullptr},
    {3, NO_ROAMING, RESTART, F1, nullptr, nullptr},
    {6, NO_ROAMING, RESTART, F1, nullptr, nullptr},
    {8, NO_ROAMING, RESTART, F1, nullptr, nullptr},
    {7, NO_DATA, VOICE_AND_TEXT_ONLY, F1, nullptr, nullptr},
    {14, NO_DATA, VOICE_AND_TEXT_ONLY, F1, nullptr, nullptr},
    {11, NO_ROAMING, CHECK_OPERATORS, F1, nullptr, nullptr},
    {12, NO_ROAMING, CHECK_OPERATORS, F1, nullptr, nullptr},
    {13, NO_ROAMING, CHECK_OPERATORS, F1, nullptr, nullptr},
    {15, NO_ROAMING, CHECK_OPERATORS, F1, nullptr, nullptr},
    {22, NO_ROAMING, CHECK_OPERATORS, F1, nullptr, nullptr},
    {16, REGISTRATION_DELAY, TRY_LATER, F1, nullptr, nullptr},
    {17, REGISTRATION_DELAY, TRY_LATER, F1, nullptr, nullptr},
    {BLOCKED_CAUSE, NETWORKS_BLOCKED, nullptr, 0, nullptr, nullptr},
    {111, NO_ROAMING, CHECK_OPERATORS, 0, nullptr, nullptr},
};

std::string tr(const char* id) {
    return id ? dgettext(TEXT_DOMAIN, id) : std::string();
}

template <size_t N> const Row* findIn(const Row (&rows)[N], int cause) {
    for (const Row& row : rows) {
        // A row without texts is never shown, so that nothing formats a null.
        if (row.cause == cause && row.text)
            return &row;
    }
    return nullptr;
}

} // namespace

MCRejectCauseText::Table MCRejectCauseText::tableOf(const std::string& salesCode, bool lgDomestic) {
    if (salesCode == "KTC" || salesCode == "KTO")
        return TABLE_KT;
    if (salesCode == "LUC" || salesCode == "LUO")
        return lgDomestic ? TABLE_LG_DOMESTIC : TABLE_LG_ROAMING;
    return TABLE_NONE;
}

const MCRejectCauseText::Row* MCRejectCauseText::_find(Table table, int cause) {
    switch (table) {
    case TABLE_KT:
        return findIn(KT_ROWS, cause);
    case TABLE_LG_DOMESTIC:
        return findIn(LG_DOMESTIC_ROWS, cause);
    case TABLE_LG_ROAMING:
        return findIn(LG_ROAMING_ROWS, cause);
    default:
        return nullptr;
    }
}

std::string MCRejectCauseText::_formatRow(Table table, const Row& row, int cause, int msgType) {
    // Translations are arguments here, never formats.
    if (table != TABLE_LG_ROAMING) {
        const char* id = msgType == MSG_TYPE_MMS && row.mmsText ? row.mmsText : row.text;
        std::string text = tr(id);
        if (row.flags & FLAG_CAUSE)
            text += " [" + std::to_string(cause) + "]";
        if (row.flags & FLAG_CODE)
            text += " [" + std::string(row.code ? row.code : "0000") + "]";
        if ((row.flags & FLAG_EXTRA) && row.extraText)
            text += "\n" + tr(row.extraText);
        return text;
    }
    if (row.flags & FLAG_CAUSE)
        return tr(row.text) + " [" + std::to_string(cause) + "]\n" + tr(row.mmsText);
    if (cause == BLOCKED_CAUSE || !row.mmsText)
        return tr(row.text);
    return tr(row.text) + " " + tr(row.mmsText);
}

std::string MCRejectCauseText::compose(Table table, int cause, int msgType) {
    if (table == TABLE_NONE) {
        MSG_LOGD("default reject text used. (not KT and LG)");
        return tr(COULDNT_SEND);
    }
    if (const Row* row = _find(table, cause))
        return _formatRow(table, *row, cause, msgType);
    MSG_LOGD("msgType : %d, rejectCause : %d, isLGU : %d, isLGURoaming : %d", msgType, cause,
             table != TABLE_KT, table == TABLE_LG_ROAMING);
    if (table == TABLE_LG_DOMESTIC)
        return tr(CONNECTION_FAILED);
    if (table == TABLE_LG_ROAMING)
        return tr(NO_ROAMING) + " " + tr(CHECK_OPERATORS);
    return tr(COULDNT_SEND);
}

} // namespace compose
} // namespace msg_app
