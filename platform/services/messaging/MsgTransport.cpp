// Sending and retrieving through the watch's own modem: a sent message waits
// in the watch's outbox of the device's store until the network delivers or fails it.
#include "msg_transport.h"

#include "MsgAddress.h"
#include "MsgHandle.h"
#include "MsgMmsContents.h"
#include "MsgServiceDb.h"
#include "MsgStruct.h"
#include "log/PlatformLog.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"
#include "msg_store/StoreFiles.h"
#include "msg_store/msg_store_nms.h"
#include "vconf.h"

namespace msg_service {

namespace {

constexpr const char* kMmsMaxSizeKey = "db/msg/mms_max_size";
constexpr int kDefaultMmsMaxSize = 300 * 1024;
constexpr const char* kNextSendErrorKey = "memory/private/msg/next_send_error";

int mmsMaxSize() {
    int size = 0;
    if (vconf_get_int(kMmsMaxSizeKey, &size) != VCONF_OK || size <= 0)
        return kDefaultMmsMaxSize;
    return size;
}

// The recipients; an entry may hold several numbers joined by ';'.
int takeRecipients(const msg_struct& msg, std::vector<msg_store::Address>& addresses) {
    for (const auto& entry : listOf(msg, MSG_MESSAGE_ADDR_LIST_HND)->items) {
        std::string text = strOf(*entry, MSG_ADDRESS_INFO_ADDRESS_VALUE_STR);
        for (size_t start = 0; start <= text.size();) {
            size_t end = text.find(';', start);
            if (end == std::string::npos)
                end = text.size();
            std::string number = text.substr(start, end - start);
            start = end + 1;
            if (number.empty())
                continue;
            PLAT_RETV_IF(!isValidNumber(number), MSG_ERR_INVALID_ADDRESS, "invalid number '%s'",
                         number.c_str());
            addresses.push_back({msg_store::ADDRESS_TYPE_PHONE, number});
        }
    }
    PLAT_RETV_IF(addresses.empty(), MSG_ERR_INVALID_ADDRESS, "no recipient");
    return MSG_SUCCESS;
}

std::string joined(const std::vector<msg_store::Address>& addresses) {
    std::string text;
    for (const msg_store::Address& address : addresses)
        text += (text.empty() ? "" : ";") + address.address;
    return text;
}

int buildOutgoing(const msg_struct& msg, bool mms, msg_store::IncomingMessage& out) {
    int type = intOf(msg, MSG_MESSAGE_TYPE_INT);
    PLAT_RETV_IF(type != (mms ? MSG_TYPE_MMS : MSG_TYPE_SMS), MSG_ERR_INVALID_PARAMETER,
                 "message type %d sent as %s", type, mms ? "MMS" : "SMS");
    int result = takeRecipients(msg, out.addresses);
    if (result != MSG_SUCCESS)
        return result;
    out.from = joined(out.addresses);
    out.folderType = msg_store::FOLDER_WATCH_OUTBOX;
    out.networkStatus = msg_store::NETWORK_STATUS_SENDING;
    out.isRead = true;
    out.subject = strOf(msg, MSG_MESSAGE_SUBJECT_STR);
    if (!mms) {
        out.text = strOf(msg, MSG_MESSAGE_SMS_DATA_STR);
        PLAT_RETV_IF(out.text.empty(), MSG_ERR_INVALID_PARAMETER, "empty SMS");
        return MSG_SUCCESS;
    }
    out.msgType = "mms";
    long long size = 0;
    result = mmsToContents(*msg.mms, out.contents, &size);
    if (result != MSG_SUCCESS)
        return result;
    PLAT_RETV_IF(out.contents.empty(), MSG_ERR_INVALID_PARAMETER, "empty MMS");
    PLAT_RETV_IF(size > mmsMaxSize(), MSG_ERR_MESSAGE_TOO_LARGE, "MMS of %lld bytes, limit %d", size,
                 mmsMaxSize());
    // The sender's files may go as soon as it is done; the stored message keeps copies of its own.
    for (msg_store::Content& content : out.contents) {
        if (!content.filePath.empty() && !msg_store::keepFile(content.filePath, content.filePath))
            return MSG_ERR_DB_ERROR;
    }
    for (const msg_store::Content& content : out.contents) {
        if (content.mediaType == msg_store::Content::MEDIA_TYPE_TEXT) {
            out.text = content.text;
            break;
        }
    }
    return MSG_SUCCESS;
}

void saveSendOptions(int msgId, const msg_struct& options) {
    msg_device::Device* device = serviceDevice();
    bool saved = device && device->write([&](msg_device::Connection& db, msg_device::ChangeLog&) {
        auto insert =
            db.prepare("INSERT OR REPLACE INTO msg_send_options(msg_id, setting, deliver, keep_copy)"
                       " VALUES(?, ?, ?, ?)");
        insert.bind(1, msgId)
            .bind(2, boolOf(options, MSG_SEND_OPT_SETTING_BOOL) ? 1 : 0)
            .bind(3, boolOf(options, MSG_SEND_OPT_DELIVER_REQ_BOOL) ? 1 : 0)
            .bind(4, boolOf(options, MSG_SEND_OPT_KEEPCOPY_BOOL) ? 1 : 0);
        return insert.exec();
    });
    // The message is on its way already; its options only matter when it is read back.
    if (!saved)
        PLAT_LOGW("cannot keep the send options of message %d", msgId);
}

msg_struct* requestMessage(msg_struct_t req, int* result) {
    *result = MSG_ERR_NULL_POINTER;
    PLAT_RETV_IF(!req, nullptr, "req is null");
    *result = MSG_ERR_INVALID_PARAMETER;
    PLAT_RETV_IF(req->type != MSG_STRUCT_REQUEST_INFO, nullptr, "not a request");
    *result = MSG_SUCCESS;
    return req->children[MSG_REQUEST_MESSAGE_HND].get();
}

// An error injected for the next send only (msg-sim watch-send --fail-next).
int takeInjectedError() {
    int error = 0;
    if (vconf_get_int(kNextSendErrorKey, &error) != VCONF_OK || error >= 0)
        return MSG_SUCCESS;
    vconf_set_int(kNextSendErrorKey, 0);
    PLAT_LOGW("the send fails with the injected error %d", error);
    return error;
}

// Only a message of the watch's outbox that failed can go again; it is sending once more.
int resendStored(msg_struct_t req, msg_struct& msg) {
    int msgId = intOf(msg, MSG_MESSAGE_ID_INT);
    msg_store::Message stored;
    PLAT_RETV_IF(msg_store::MessageManager().getMessage(msgId, stored) != msg_store::MSG_STORE_SUCCESS,
                 MSG_ERR_DB_NORECORD, "no message %d", msgId);
    PLAT_RETV_IF(stored.folderType != msg_store::FOLDER_WATCH_OUTBOX, MSG_ERR_INVALID_PARAMETER,
                 "message %d is not the watch's to send", msgId);
    int resent = msg_store::MessageManager().resendMessage(msgId);
    PLAT_RETV_IF(resent != msg_store::MSG_STORE_SUCCESS, MSG_ERR_INVALID_PARAMETER,
                 "message %d cannot go again (%d)", msgId, resent);
    req->ints[MSG_REQUEST_REQUESTID_INT] = msgId;
    msg.ints[MSG_MESSAGE_NETWORK_STATUS_INT] = msg_store::NETWORK_STATUS_SENDING;
    PLAT_LOGI("message %d goes again from the watch's outbox", msgId);
    return MSG_SUCCESS;
}

int send(msg_handle_t handle, msg_struct_t req, bool mms) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    result = takeInjectedError();
    if (result != MSG_SUCCESS)
        return result;
    msg_struct* msg = requestMessage(req, &result);
    if (!msg)
        return result;
    // A message read back from the store goes again as itself, not as a copy.
    if (intOf(*msg, MSG_MESSAGE_ID_INT) > 0)
        return resendStored(req, *msg);
    msg_store::IncomingMessage outgoing;
    result = buildOutgoing(*msg, mms, outgoing);
    if (result != MSG_SUCCESS)
        return result;
    int msgId = -1;
    int stored = msg_store::PhoneSide::insertMessage(outgoing, &msgId);
    PLAT_RETV_IF(stored != msg_store::MSG_STORE_SUCCESS, MSG_ERR_TRANSPORT_ERROR, "the store refused (%d)",
                 stored);
    saveSendOptions(msgId, *req->children[MSG_REQUEST_SENDOPT_HND]);
    req->ints[MSG_REQUEST_REQUESTID_INT] = msgId;
    msg->ints[MSG_MESSAGE_ID_INT] = msgId;
    msg->ints[MSG_MESSAGE_FOLDER_ID_INT] = msg_store::FOLDER_WATCH_OUTBOX;
    msg->ints[MSG_MESSAGE_NETWORK_STATUS_INT] = msg_store::NETWORK_STATUS_SENDING;
    PLAT_LOGI("message %d to the watch's outbox", msgId);
    return MSG_SUCCESS;
}

} // namespace

} // namespace msg_service

using namespace msg_service;

extern "C" int msg_sms_send_message(msg_handle_t handle, msg_struct_t req) {
    return send(handle, req, false);
}

extern "C" int msg_mms_send_message(msg_handle_t handle, msg_struct_t req) {
    return send(handle, req, true);
}

extern "C" int msg_mms_retrieve_message(msg_handle_t handle, msg_struct_t req) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    msg_struct* msg = requestMessage(req, &result);
    if (!msg)
        return result;
    int msgId = intOf(*msg, MSG_MESSAGE_ID_INT);
    msg_store::Message stored;
    PLAT_RETV_IF(msgId <= 0 ||
                     msg_store::MessageManager().getMessage(msgId, stored) != msg_store::MSG_STORE_SUCCESS,
                 MSG_ERR_DB_NORECORD, "no message %d", msgId);
    PLAT_RETV_IF(stored.folderType != msg_store::FOLDER_WATCH_INBOX &&
                     stored.folderType != msg_store::FOLDER_WATCH_SPAM,
                 MSG_ERR_INVALID_PARAMETER, "message %d did not come through the watch's modem", msgId);
    int queued = msg_store_nms_download_mms(msgId);
    PLAT_RETV_IF(queued != msg_store::MSG_STORE_SUCCESS, MSG_ERR_INVALID_PARAMETER,
                 "message %d has nothing to retrieve (%d)", msgId, queued);
    req->ints[MSG_REQUEST_REQUESTID_INT] = msgId;
    return MSG_SUCCESS;
}

extern "C" int msg_get_mms_max_size(msg_handle_t handle, int* size) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    PLAT_RETV_IF(!size, MSG_ERR_NULL_POINTER, "size is null");
    *size = mmsMaxSize();
    return MSG_SUCCESS;
}
