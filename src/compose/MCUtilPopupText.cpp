#include "compose/MCUtilPopupText.h"

#include "compose/MCUtil.h"

#include "common/MsgLog.h"

#include <libintl.h>

#include <cctype>
#include <cstdlib>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* TEXT_DOMAIN = "message";
// The popup's text never grows beyond this many bytes.
constexpr size_t POPUP_TEXT_MAX_BYTES = 1024;

// Puts the counts into a translated text: "%d" takes the next count, "%N$d"
// the Nth and "%%" gives '%'. Anything else is copied as it stands, so that a
// faulty translation shows oddly instead of reading arguments that were never
// passed, as printf would.
std::string fillCounts(const char* format, const int* counts, int countNumber) {
    std::string out;
    int next = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        if (p[1] == '%') {
            out += '%';
            ++p;
            continue;
        }
        int index = -1;
        const char* end = p + 1;
        if (std::isdigit(static_cast<unsigned char>(*end))) {
            char* digitsEnd = nullptr;
            long n = std::strtol(end, &digitsEnd, 10);
            if (digitsEnd[0] == '$' && digitsEnd[1] == 'd' && n >= 1 && n <= countNumber) {
                index = static_cast<int>(n - 1);
                end = digitsEnd + 2;
            }
        } else if (*end == 'd' && next < countNumber) {
            index = next++;
            end += 1;
        }
        if (index < 0) {
            out += '%';
            continue;
        }
        out += std::to_string(counts[index]);
        p = end - 1;
    }
    return out;
}

// Cuts at a character boundary, so that the label never shows half a character.
void truncateUtf8(std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes)
        return;
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    text.resize(cut);
}

} // namespace

void MCUtilPopupText::getSmsPageOverPopupText(std::string& out, bool withTextMessage, int mmsPageCount) {
    const bool singleMms = mmsPageCount < 2;
    const char* id = nullptr;
    if (withTextMessage)
        id = singleMms
                 ? "WDS_MSG_POP_MESSAGES_CAN_ONLY_HAVE_UP_TO_PD_CHARACTERS_SEND_AS_1_MMS_AND_1_TEXT_MESSAGE_Q"
                 : "WDS_MSG_POP_MESSAGES_CAN_ONLY_HAVE_UP_TO_P1SD_CHARACTERS_SEND_AS_P2SD_MMS_MESSAGES_AND_1_"
                   "TEXT_MESSAGE_Q";
    else
        id = singleMms
                 ? "WDS_MSG_POP_MESSAGES_CAN_ONLY_HAVE_UP_TO_PD_CHARACTERS_SEND_AS_MMS_Q"
                 : "WDS_MSG_POP_MESSAGES_CAN_ONLY_HAVE_UP_TO_P1SD_CHARACTERS_SEND_AS_P2SD_MMS_MESSAGES_Q";
    const int counts[] = {MCUtil::MMS_TEXT_CHAR_LIMIT, mmsPageCount};
    out = fillCounts(dgettext(TEXT_DOMAIN, id), counts, singleMms ? 1 : 2);
    truncateUtf8(out, POPUP_TEXT_MAX_BYTES);
}

} // namespace compose
} // namespace msg_app
