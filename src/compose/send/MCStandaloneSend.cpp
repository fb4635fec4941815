#include "compose/send/MCStandaloneSend.h"

#include "common/MCommonMsgSvc.h"
#include "common/MsgLog.h"
#include "compose/launch/MCWorkPathMgr.h"
#include "msg.h"

#include <fstream>

#define MSG_GOTO_IF(expr, label)                                                                             \
    do {                                                                                                     \
        if (expr) {                                                                                          \
            MSG_LOGE("[(%s)] goto", #expr);                                                                  \
            goto label;                                                                                      \
        }                                                                                                    \
    } while (0)

namespace msg_app {
namespace compose {

namespace {

constexpr int STORAGE_WATCH = 3;
constexpr int ROOT_WIDTH = 480;
constexpr int ROOT_HEIGHT = 800;
constexpr int TEXT_COLOR = static_cast<int>(0xFF000000);
constexpr int REGION_VALUES[] = {0, 1, 100, 50, -1};

} // namespace

bool MCStandaloneSend::_addAddresses(msg_struct_t message, const MCMsgData& msg, bool groupMms) {
    std::vector<std::string> entries;
    if (groupMms) {
        entries = msg.recipient;
    } else {
        std::string joined;
        for (const auto& recipient : msg.recipient)
            joined += (joined.empty() ? "" : ";") + recipient;
        entries.push_back(joined);
    }
    for (const auto& entry : entries) {
        msg_struct_t address = nullptr;
        if (msg_list_add_item(message, MSG_MESSAGE_ADDR_LIST_HND, &address) != MSG_SUCCESS || !address)
            return false;
        msg_set_int_value(address, MSG_ADDRESS_INFO_ADDRESS_TYPE_INT, MSG_ADDRESS_TYPE_PLMN);
        msg_set_int_value(address, MSG_ADDRESS_INFO_RECIPIENT_TYPE_INT, MSG_RECIPIENTS_TYPE_TO);
        msg_set_str_value(address, MSG_ADDRESS_INFO_ADDRESS_VALUE_STR, entry.c_str(),
                          static_cast<int>(entry.size()));
    }
    return true;
}

bool MCStandaloneSend::_addRegion(msg_struct_t mms, const char* id) {
    msg_struct_t region = nullptr;
    if (msg_mms_add_item(mms, MSG_MMS_REGION_LIST_HND, &region) != MSG_SUCCESS || !region)
        return false;
    msg_set_str_value(region, MSG_MMS_REGION_ID_STR, id, static_cast<int>(std::string(id).size()));
    const int fields[] = {MSG_MMS_REGION_LENGTH_LEFT_INT, MSG_MMS_REGION_LENGTH_TOP_INT,
                          MSG_MMS_REGION_LENGTH_WIDTH_INT, MSG_MMS_REGION_LENGTH_HEIGHT_INT,
                          MSG_MMS_REGION_BGCOLOR_INT};
    for (size_t i = 0; i < sizeof(fields) / sizeof(fields[0]); ++i)
        msg_set_int_value(region, fields[i], REGION_VALUES[i]);
    return true;
}

bool MCStandaloneSend::_addMedia(msg_struct_t page, int type, const char* region, const std::string& path,
                                 const char* contentType) {
    msg_struct_t media = nullptr;
    if (msg_mms_add_item(page, MSG_MMS_PAGE_MEDIA_LIST_HND, &media) != MSG_SUCCESS || !media)
        return false;
    msg_set_int_value(media, MSG_MMS_MEDIA_TYPE_INT, type);
    msg_set_str_value(media, MSG_MMS_MEDIA_REGION_ID_STR, region,
                      static_cast<int>(std::string(region).size()));
    msg_set_str_value(media, MSG_MMS_MEDIA_FILEPATH_STR, path.c_str(), static_cast<int>(path.size()));
    if (contentType)
        msg_set_str_value(media, MSG_MMS_MEDIA_CONTENT_TYPE_STR, contentType,
                          static_cast<int>(std::string(contentType).size()));
    if (type == MMS_SMIL_MEDIA_TEXT)
        msg_set_int_value(media, MSG_MMS_MEDIA_TEXT_COLOR_INT, TEXT_COLOR);
    return true;
}

bool MCStandaloneSend::_addSmil(msg_struct_t mms, const MCMsgData& msg) {
    msg_set_int_value(mms, MSG_MMS_ROOTLAYOUT_WIDTH_INT, ROOT_WIDTH);
    msg_set_int_value(mms, MSG_MMS_ROOTLAYOUT_HEIGHT_INT, ROOT_HEIGHT);
    msg_set_int_value(mms, MSG_MMS_ROOTLAYOUT_BGCOLOR_INT, -1);
    msg_struct_t page = nullptr;
    if (msg_mms_add_item(mms, MSG_MMS_PAGE_LIST_HND, &page) != MSG_SUCCESS || !page)
        return false;
    if (!msg.body.empty()) {
        MCWorkPathMgr* work = MCWorkPathMgr::getInstance();
        if (work->getWorkingPath().empty() && !work->createWorkingDir())
            return false;
        std::string textPath = work->getWorkingPath() + MMS_TEXT_FILE;
        std::ofstream(textPath, std::ios::trunc) << msg.body;
        if (!_addRegion(mms, "Text") || !_addMedia(page, MMS_SMIL_MEDIA_TEXT, "Text", textPath, "text/plain"))
            return false;
    }
    if (msg.fileType == FILE_TYPE_IMAGE || msg.fileType == FILE_TYPE_AUDIO) {
        int type = msg.fileType == FILE_TYPE_IMAGE ? MMS_SMIL_MEDIA_IMG : MMS_SMIL_MEDIA_AUDIO;
        return _addRegion(mms, "Image") && _addMedia(page, type, "Image", msg.attachPath, nullptr);
    }
    if (msg.fileType != FILE_TYPE_TEXT)
        MSG_LOGE("Invalid type : %d", msg.fileType);
    return true;
}

int MCStandaloneSend::send(MCMsgData& msg, std::string* outInfo) {
    bool groupMms = msg.recipient.size() > 1 && !msg.noGroupMms;
    if (groupMms) {
        msg.msgType = MSG_TYPE_MMS;
        if (msg.fileType == FILE_TYPE_NONE)
            msg.fileType = FILE_TYPE_TEXT;
        MSG_LOGD("msgType set to MMS for group message");
    }
    // A picture or a recording always goes as MMS content.
    if (msg.fileType == FILE_TYPE_IMAGE || msg.fileType == FILE_TYPE_AUDIO)
        msg.msgType = MSG_TYPE_MMS;
    bool isMms = msg.msgType == MSG_TYPE_MMS;
    if (isMms && msg.fileType == FILE_TYPE_NONE)
        msg.fileType = FILE_TYPE_TEXT;
    MSG_LOGD("rcpListCount : %d, msgType : %d, fileType : %d", static_cast<int>(msg.recipient.size()),
             msg.msgType, msg.fileType);

    int ret = MSG_ERR_UNKNOWN;
    int msgId = 0;
    msg_struct_t message = msg_create_struct(MSG_STRUCT_MESSAGE_INFO);
    msg_struct_t options = msg_create_struct(MSG_STRUCT_SENDOPT);
    msg_struct_t mms = isMms ? msg_create_struct(MSG_STRUCT_MMS) : nullptr;
    MSG_GOTO_IF(!message || !options || (isMms && !mms), end);
    MSG_GOTO_IF(msg_set_int_value(message, MSG_MESSAGE_TYPE_INT, isMms ? ::MSG_TYPE_MMS : ::MSG_TYPE_SMS) !=
                    MSG_SUCCESS,
                end);
    msg_set_int_value(message, MSG_MESSAGE_STORAGE_ID_INT, STORAGE_WATCH);
    msg_set_bool_value(options, MSG_SEND_OPT_SETTING_BOOL, true);
    MSG_GOTO_IF(!_addAddresses(message, msg, groupMms), end);
    if (!isMms && !msg.body.empty())
        MSG_GOTO_IF(msg_set_str_value(message, MSG_MESSAGE_SMS_DATA_STR, msg.body.c_str(),
                                      static_cast<int>(msg.body.size())) != MSG_SUCCESS,
                    end);
    if (isMms) {
        MSG_GOTO_IF(!_addSmil(mms, msg), end);
        MSG_GOTO_IF(msg_set_mms_struct(message, mms) != MSG_SUCCESS, end);
    }
    if (!MCommonMsgSvc::getInstance()->sendMsg(message, options, isMms, &ret, &msgId) && ret == MSG_SUCCESS)
        ret = MSG_ERR_UNKNOWN;
    if (ret == MSG_SUCCESS) {
        msg.sentMsgId = msgId;
        msg.pendingMsgId = msgId;
        if (outInfo)
            *outInfo += std::to_string(msgId) + ",PEER;";
    }
end:
    for (msg_struct_t* handle : {&mms, &options, &message}) {
        if (*handle)
            msg_release_struct(handle);
    }
    return ret;
}

} // namespace compose
} // namespace msg_app
