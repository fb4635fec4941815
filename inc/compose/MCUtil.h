#ifndef MSG_APP_COMPOSE_MCUTIL_H
#define MSG_APP_COMPOSE_MCUTIL_H

#include "common/Connectivity.h"
#include "msg_store/MsgStoreTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace view_kit {
class WTimer;
}

namespace msg_app {
class MCommonProgressPopup;
namespace compose {

struct MCMsgData;

// Helpers of the composer. All members are static.
class MCUtil {
public:
    MCUtil() = delete;

    // ---- Measuring text for sending ----

    static constexpr int SMS_GSM7BIT_LIMIT = 160;    // septets of one SMS
    static constexpr int SMS_UCS2_CHAR_LIMIT = 70;   // characters of one UCS-2 SMS
    static constexpr int SMS_REDUCED_LIMIT = 140;    // septets or bytes, with the reduced limit
    static constexpr int SMS_UCS2_PAGE_BYTES = 140;  // bytes of one UCS-2 SMS page
    static constexpr int MMS_TEXT_CHAR_LIMIT = 1000; // characters of one MMS text

    // Measures msgText in the encoding msgEncodeTypeTo (MsgEncodeType 0, 2 or
    // 3): its size in units of that encoding (septets or bytes), the size of one
    // SMS segment, and the encoding used (0, 2 or 4). False when the text cannot
    // be measured so.
    static bool CalculateTextLength(const char* msgText, unsigned char msgEncodeTypeTo,
                                    unsigned int* outTextSize, unsigned int* segmentSize,
                                    unsigned char* encodeType);
    // The size of text in encodeMode; returns 0 for GSM 7-bit, 1 for GSM 7-bit
    // with replaced characters, 2 for UCS-2 and 3 on error.
    static int getEncodedTextSize(char* text, int encodeMode, int* encodedTextSize, int* segmentSize);
    // Whether text exceeds one SMS; every out-parameter may be null.
    static bool isTextOverSmsLimit(char* text, int* overCount, int* textSize, int* limit, bool reducedLimit);
    // Whether text has more characters than one MMS takes.
    static bool isTextOverMmsLimit(char* text, int* overCount, int* textSize, int* limit, bool reducedLimit);

    // Cuts text into SMS pages, appended to pages; none is empty and no
    // character is cut.
    static void getSmsSizeTextList(std::vector<std::string>& pages, std::string& text, bool reducedLimit);
    // Cuts text into MMS pages of 1000 characters and a last SMS page when the
    // rest fits in one; counts them and appends the pages when pages is not null.
    static void getMmsSizeTextList(std::string& text, int* smsPageCount, int* mmsPageCount, bool reducedLimit,
                                   std::vector<std::string>* pages);
    // The question asked before a too-long text is sent as MMS pages.
    static void getSmsPageOverPopupText(std::string& out, bool withTextMessage, int mmsPageCount);

    // ---- Recipients ----

    enum AddressType : int {
        ADDRESS_TYPE_INVALID = 0,
        ADDRESS_TYPE_NUMBER = 1,
        ADDRESS_TYPE_EMAIL = 2,
    };

    // Digits with "#" and "*" after an optional "+"; outside strict mode the usual separators too.
    static bool isValidPhoneNumber(const char* address, bool strict);
    static bool isValidEmailAddress(const std::string& address);
    static int getAddressType(const std::string& address);
    // Only phone numbers long enough to dial are recipients.
    static bool isValidRecipient(const std::string& address);
    // Appends the pieces of text between any of the separators; a trailing separator adds none.
    static void getRecipientListBySeparator(const std::string& text, const char* separators,
                                            std::vector<std::string>& out);
    // Splits at "," and ";" and normalises each number.
    static void getNormalizedRecipientList(std::string& text, std::vector<std::string>& out);

    // ---- Networks and the result of a send ----

    // Whether the watch's own modem can send now: a SIM, and the modem on or parked.
    static bool isHulmNetworkAvailable();
    // The phone link and whether the watch's own road can carry a message of msgType.
    static void getAvailableNetworkStatus(connectivity::YoxConn* conn, bool* deviceAvailable, int msgType);
    static bool isSKTSimActivated();
    // Follows the sent message through the store's change events until its final status.
    static void storageChangeCb(const char* message, std::shared_ptr<MCMsgData>& msg,
                                std::weak_ptr<view_kit::WTimer>& resultTimer,
                                std::weak_ptr<view_kit::WTimer>& retailTimer,
                                std::weak_ptr<MCommonProgressPopup>& popup);

    // ---- Files and preferences ----

    // Creates the send-as preference with 0 when it does not exist.
    static void initPreference();
    // The file's size in bytes, 0 when it cannot be read.
    static long long getFileSize(const char* path);
    // The text after the last ".", or the whole name without one; null stays null.
    static const char* getFileExt(const char* path);
};

} // namespace compose
} // namespace msg_app

#endif
