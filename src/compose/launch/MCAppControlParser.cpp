#include "compose/launch/MCAppControlParser.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "compose/MCUtil.h"
#include "compose/launch/MCAttachmentImport.h"
#include "compose/launch/MCRecipientSet.h"
#include "compose/launch/MCRequestReader.h"
#include "compose/launch/MCWorkPathMgr.h"
#include "compose/send/MCOutgoingMgr.h"
#include "msg_store/MessageManager.h"
#include "zeq_feature.h"

#include <cstring>
#include <glib.h>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* KEY_SEND_DATA_ARRAY = "selector_send_data_array";
constexpr const char* KEY_KEYBOARD_DATA_ARRAY = "selector_keyboard_data_array";
constexpr const char* SMS_SCHEME = "sms:";
constexpr const char* SMSTO_SCHEME = "smsto:";

using Reader = MCRequestReader;

bool startsWithNoCase(const std::string& text, const char* prefix) {
    return g_ascii_strncasecmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

SendBy sendByOf(const std::string& fromType) {
    if (fromType == "phone")
        return SendBy::PHONE;
    if (fromType == "watch")
        return SendBy::HULM;
    return SendBy::NONE;
}

int logTypeOf(const std::string& value) {
    if (value == "new_msg")
        return MCSendMgr::LOG_TYPE_NEW;
    if (value == "reply_msg")
        return MCSendMgr::LOG_TYPE_REPLY;
    return MCSendMgr::LOG_TYPE_NONE;
}

// The number of SMS pages the body fills, whatever carried it, so that every text is measured.
void measureBody(MCMsgData& msg) {
    if (msg.body.empty())
        return;
    std::vector<std::string> pages;
    std::string text = msg.body;
    MCUtil::getSmsSizeTextList(pages, text,
                               zeq_feature_get_bool(MCAppControlParser::FEATURE_REDUCED_SMS_LIMIT));
    msg.smsPageCount = static_cast<int>(pages.size());
}

void addAddressText(std::string text, MCMsgData& msg) {
    std::vector<std::string> list;
    MCUtil::getNormalizedRecipientList(text, list);
    MCRecipientSet::add(list, msg);
}

} // namespace

bool MCAppControlParser::parseOperationData(app_control_h handle, std::shared_ptr<MCMsgData>& outMsgSptr) {
    MSG_RETV_IF(!handle, false, "handle is nullptr");
    MSG_RETV_IF(!outMsgSptr, false, "outMsgSptr is nullptr");
    MCMsgData& msg = *outMsgSptr;

    std::string text;
    if (Reader::getExtra(handle, APP_CONTROL_DATA_TEXT, MAX_VALUE_BYTES, text) == Reader::INVALID)
        return false;
    std::string uri;
    if (common_util::get_uri(handle, uri) && !_parseSmsUri(uri, msg))
        return false;
    if (!text.empty()) {
        std::vector<std::string> pages;
        MCUtil::getSmsSizeTextList(pages, text, zeq_feature_get_bool(FEATURE_REDUCED_SMS_LIMIT));
        msg.smsPageCount = static_cast<int>(pages.size());
        // Where MMS carries a long text it stays whole; else only what one SMS holds goes, and
        // the composer tells the user that the rest was cut.
        if (common_util::is_support_MMS())
            msg.body = text;
        else if (!pages.empty())
            msg.body = pages.front();
    } else {
        measureBody(msg);
    }

    MCSendMgr::LogData logData = MCSendMgr::getInstance()->getLogData();
    std::string caller;
    if (zeq_feature_get_bool(FEATURE_CALLER_LOGGING) && common_util::get_caller(handle, caller) &&
        caller == MESSAGE_APP_ID)
        logData.fromMessageApp = 1;
    logData.logType = MCSendMgr::LOG_TYPE_NEW;
    MCSendMgr::getInstance()->setLogData(logData);
    return _isWithinBounds(msg);
}

bool MCAppControlParser::_parseSmsUri(const std::string& uri, MCMsgData& msg) {
    size_t schemeLen = 0;
    if (startsWithNoCase(uri, SMSTO_SCHEME))
        schemeLen = std::strlen(SMSTO_SCHEME);
    else if (startsWithNoCase(uri, SMS_SCHEME))
        schemeLen = std::strlen(SMS_SCHEME);
    else
        return true;

    size_t query = uri.find('?', schemeLen);
    std::string recipients;
    if (!Reader::percentDecode(uri.substr(schemeLen, query - schemeLen), recipients))
        return false;
    if (!recipients.empty())
        addAddressText(recipients, msg);
    if (query == std::string::npos)
        return true;

    std::vector<std::string> fields;
    MCUtil::getRecipientListBySeparator(uri.substr(query + 1), "&", fields);
    for (const auto& field : fields) {
        if (!startsWithNoCase(field, "body="))
            continue;
        std::string body;
        if (!Reader::percentDecode(field.substr(std::strlen("body=")), body))
            return false;
        msg.body = body;
    }
    return true;
}

bool MCAppControlParser::parseExtraData(app_control_h handle, std::shared_ptr<MCMsgData>& outMsgSptr) {
    MSG_RETV_IF(!handle, false, "handle is nullptr");
    MSG_RETV_IF(!outMsgSptr, false, "outMsgSptr is nullptr");
    MCMsgData& msg = *outMsgSptr;
    // The pages of a text handed over by the operation are its own, not those of the page kept.
    const std::string bodyBefore = msg.body;

    std::string value;
    Reader::Result sendData = Reader::getExtra(handle, KEY_SEND_DATA_ARRAY, MAX_VALUE_BYTES, value);
    if (sendData == Reader::INVALID)
        return false;
    if (sendData == Reader::PRESENT && value == "sending_popup") {
        MSG_LOGD("key : %s, value : %s", KEY_SEND_DATA_ARRAY, value.c_str());
        if (!parseExtraDataArray(handle, APP_CONTROL_SEND, outMsgSptr)) {
            MSG_LOGE("parseExtraDataArray() is failed.");
            return false;
        }
    } else {
        MCSendMgr::LogData logData;
        if (!_parseScalarExtras(handle, msg, logData))
            return false;
        if (msg.msgId > 0 && !_loadStoredMessage(outMsgSptr))
            return false;
    }
    if (!_parseReplyContext(handle, msg))
        return false;
    if (msg.body != bodyBefore || msg.smsPageCount == 0)
        measureBody(msg);
    return _isWithinBounds(msg);
}

bool MCAppControlParser::_isWithinBounds(const MCMsgData& msg) {
    MSG_RETV_IF(msg.recipient.size() > MAX_RECIPIENTS, false, "%zu recipients, above the MMS limit of %zu",
                msg.recipient.size(), MAX_RECIPIENTS);
    MSG_RETV_IF(msg.simIndex < 0 || msg.simIndex >= SIM_SLOTS, false, "simId %d is not a SIM slot (0 to %d)",
                msg.simIndex, SIM_SLOTS - 1);
    return true;
}

bool MCAppControlParser::_parseScalarExtras(app_control_h handle, MCMsgData& msg,
                                            MCSendMgr::LogData& logData) {
    bool valid = true;
    auto read = [&](const char* key, std::string& out) {
        Reader::Result result = Reader::getExtra(handle, key, MAX_VALUE_BYTES, out);
        valid = valid && result != Reader::INVALID;
        return result == Reader::PRESENT;
    };
    auto readInt = [&](const char* key, int& out) {
        std::string text;
        if (read(key, text))
            valid = Reader::toInt(key, text, out) && valid;
    };
    std::string value;
    readInt("msgId", msg.msgId);
    if (read("from_type", value) && sendByOf(value) != SendBy::NONE)
        MCOutgoingMgr::getInstance()->setSendBy(sendByOf(value));
    readInt("simId", msg.simIndex);
    if (read("sending_popup", value) && value == "hide")
        msg.hideSendingPopup = true;
    if (read("caller_app", value) && value == MESSAGE_APP_ID)
        logData.fromMessageApp = 1;
    readInt("read_request", msg.readRequest);
    read("body_text", msg.body);
    if (read("vorlane_log", value))
        logData.logType = logTypeOf(value);
    if (read("address", value))
        addAddressText(value, msg);
    if (zeq_feature_get_bool(FEATURE_CALLER_LOGGING) && !read("caller_appid", logData.callerAppId))
        common_util::get_caller(handle, logData.callerAppId);
    if (read("background_send", value) && value == "true")
        msg.backgroundSend = true;
    if (read("multiple_recipient", value)) {
        msg.multipleRecipient = true;
        std::vector<std::string> list;
        MCUtil::getRecipientListBySeparator(value, ",;", list);
        MCRecipientSet::add(list, msg);
    }
    if (!valid)
        return false;
    MCSendMgr::getInstance()->setLogData(logData);
    return true;
}

bool MCAppControlParser::_parseReplyContext(app_control_h handle, MCMsgData& msg) {
    std::string replyType;
    std::string context;
    if (Reader::getExtra(handle, "reply_type", MAX_VALUE_BYTES, replyType) == Reader::INVALID ||
        Reader::getExtra(handle, "selected_context", MAX_VALUE_BYTES, context) == Reader::INVALID)
        return false;
    if (!replyType.empty())
        MSG_LOGD("reply_type : %s", replyType.c_str());
    if (replyType != "image" && replyType != "voice") {
        if (!context.empty())
            msg.body = context;
        return true;
    }
    // A picture or a recording is sent as its content in an MMS, never as its path in a text.
    msg.fileType = replyType == "image" ? FILE_TYPE_IMAGE : FILE_TYPE_AUDIO;
    MSG_RETV_IF(context.empty(), false, "reply_type %s without selected_context", replyType.c_str());
    MCWorkPathMgr* workPath = MCWorkPathMgr::getInstance();
    if (workPath->getWorkingPath().empty() && !workPath->createWorkingDir())
        return false;
    MCAttachmentImport::Kind kind =
        msg.fileType == FILE_TYPE_IMAGE ? MCAttachmentImport::IMAGE : MCAttachmentImport::AUDIO;
    if (!MCAttachmentImport::import(context, kind, workPath->getWorkingPath(),
                                    MCAttachmentImport::DEFAULT_MAX_SIZE, msg.attachPath))
        return false;
    msg.msgType = MSG_TYPE_MMS;
    return true;
}

bool MCAppControlParser::parseExtraDataArray(app_control_h handle, AppControlType appControlType,
                                             std::shared_ptr<MCMsgData>& outMsgSptr) {
    MSG_RETV_IF(!handle, false, "handle is nullptr");
    MSG_RETV_IF(!outMsgSptr, false, "outMsgSptr is nullptr");
    MCMsgData& msg = *outMsgSptr;

    std::vector<std::string> elements;
    if (Reader::getArray(handle, KEY_KEYBOARD_DATA_ARRAY, MAX_ARRAY_LENGTH, MAX_VALUE_BYTES, elements) ==
        Reader::INVALID)
        return false;
    MCSendMgr::LogData logData;
    std::string address;
    for (size_t i = 0; i < elements.size(); ++i) {
        size_t colon = elements[i].find(':');
        MSG_RETV_IF(colon == std::string::npos, false, "element %zu has no key", i);
        std::string key = elements[i].substr(0, colon);
        std::string value = elements[i].substr(colon + 1);
        MSG_LOGD("[%zu] key[%s], data[%.64s]", i, key.c_str(), value.c_str());
        if (!_parseArrayElement(key, value, msg, logData, address))
            return false;
    }
    bool callerIsMessageApp = logData.fromMessageApp == 1;
    if (appControlType == APP_CONTROL_COMPOSE && logData.logType == MCSendMgr::LOG_TYPE_NEW &&
        !callerIsMessageApp)
        msg.newMsgFromSelector = true;
    // The caller's id belongs to the log data handed over, so it is set first.
    if (zeq_feature_get_bool(FEATURE_CALLER_LOGGING) &&
        Reader::getExtra(handle, "caller_appid", MAX_VALUE_BYTES, logData.callerAppId) != Reader::PRESENT)
        common_util::get_caller(handle, logData.callerAppId);
    MCSendMgr::getInstance()->setLogData(logData);
    if (!address.empty())
        addAddressText(address, msg);
    MSG_LOGD("msgId : %d, simIndex : %d, readRequest : %d", msg.msgId, msg.simIndex, msg.readRequest);
    if (msg.msgId > 0 && !_loadStoredMessage(outMsgSptr))
        return false;
    return _isWithinBounds(msg);
}

bool MCAppControlParser::_parseArrayElement(const std::string& key, const std::string& value, MCMsgData& msg,
                                            MCSendMgr::LogData& logData, std::string& address) {
    if (key == "simId")
        return Reader::toInt("simId", value, msg.simIndex);
    if (key == "read_request")
        return Reader::toInt("read_request", value, msg.readRequest);
    if (key == "msgId")
        return Reader::toInt("msgId", value, msg.msgId);
    if (key == "address")
        address = value;
    else if (key == "from_type")
        MCOutgoingMgr::getInstance()->setSendBy(sendByOf(value));
    else if (key == "caller_app" && value == MESSAGE_APP_ID)
        logData.fromMessageApp = 1;
    else if (key == "sending_popup" && value == "hide")
        msg.hideSendingPopup = true;
    else if (key == "vorlane_log") {
        logData.logType = logTypeOf(value);
        if (logData.logType == MCSendMgr::LOG_TYPE_NONE)
            MSG_LOGE("dazoLogStr type is error.");
    }
    return true;
}

bool MCAppControlParser::_loadStoredMessage(std::shared_ptr<MCMsgData>& outMsgSptr) {
    msg_store::Message stored;
    int ret = _store.messages.getMessage(outMsgSptr->msgId, stored);
    if (ret != 0) {
        MSG_LOGE("getMessage() failed. (%d)", ret);
        MSG_LOGE("request refused: msgId %d is no stored message", outMsgSptr->msgId);
        return false;
    }
    // The message chooses the conversation, never people the caller did not name.
    if (!_isInConversation(stored.threadId, outMsgSptr->recipient)) {
        MSG_LOGE("request refused: msgId %d is not in a conversation with the named address",
                 outMsgSptr->msgId);
        return false;
    }
    _load(stored, outMsgSptr);
    return true;
}

bool MCAppControlParser::_isInConversation(int threadId, const std::vector<std::string>& named) {
    if (named.empty())
        return true;
    std::shared_ptr<MCommonConvAddr> convAddr;
    if (!MCommonAddrMgr::getInstance()->getConvAddr(threadId, convAddr) || !convAddr)
        return false;
    MCMsgData conversation;
    for (int i = 0; i < convAddr->getAddrCnt(); ++i) {
        if (std::shared_ptr<MCommonAddr> addr = convAddr->getNthAddr(i))
            conversation.recipient.push_back(addr->getAddress());
    }
    for (const auto& address : named) {
        if (!MCRecipientSet::contains(conversation, address))
            return false;
    }
    return true;
}

void MCAppControlParser::_load(msg_store::Message& msg, std::shared_ptr<MCMsgData>& outMsgSptr) const {
    MSG_RET_IF(!outMsgSptr, "outMsgSptr is nullptr");
    MCMsgData& data = *outMsgSptr;
    data.threadId = msg.threadId;
    data.simIndex = msg.simIndex;
    // A conversation with several people is a group only where it was carried by MMS: an answer to
    // text messages sent to several people one by one goes the same way.
    data.noGroupMms = msg.msgType != "mms";
    int folder = static_cast<int>(msg.folderType);
    SendBy sendBy = SendBy::NONE;
    if (folder >= msg_store::FOLDER_INBOX && folder <= msg_store::FOLDER_SENT)
        sendBy = SendBy::PHONE;
    else if (folder >= msg_store::FOLDER_WATCH_INBOX && folder <= msg_store::FOLDER_WATCH_SENT)
        sendBy = SendBy::HULM;
    MCOutgoingMgr::getInstance()->setSendBy(sendBy);

    std::shared_ptr<MCommonConvAddr> convAddr;
    if (!MCommonAddrMgr::getInstance()->getConvAddr(msg.threadId, convAddr) || !convAddr) {
        MSG_LOGE("convAddr is nullptr");
        return;
    }
    int count = convAddr->getAddrCnt();
    MSG_RET_IF(count <= 0, "addrCount is less than 0");
    std::vector<std::string> addresses;
    for (int i = 0; i < count; ++i) {
        std::shared_ptr<MCommonAddr> addr = convAddr->getNthAddr(i);
        if (!addr) {
            MSG_LOGE("addr(%d) is nullptr", i);
            continue;
        }
        addresses.emplace_back(addr->getAddress());
    }
    // The request may already name the conversation's recipient; it stays one recipient.
    MsgType before = data.msgType;
    MCRecipientSet::add(addresses, data);
    if (data.noGroupMms)
        data.msgType = before;
    if (data.recipient.empty())
        MSG_LOGE("outMsgSptr->recipient is empty.");
}

} // namespace compose
} // namespace msg_app
