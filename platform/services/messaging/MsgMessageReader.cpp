// Reading back a message of the watch's modem, with its MMS body and send options.
#include "msg_storage.h"

#include "MsgHandle.h"
#include "MsgMmsContents.h"
#include "MsgServiceDb.h"
#include "MsgStruct.h"
#include "log/PlatformLog.h"
#include "msg_store/MessageManager.h"

using namespace msg_service;

namespace {

void fillMessage(const msg_store::Message& stored, msg_struct& msg) {
    msg.ints[MSG_MESSAGE_ID_INT] = stored.msgId;
    msg.ints[MSG_MESSAGE_THREAD_ID_INT] = stored.threadId;
    msg.ints[MSG_MESSAGE_FOLDER_ID_INT] = stored.folderType;
    msg.ints[MSG_MESSAGE_TYPE_INT] = stored.msgType == "mms" ? MSG_TYPE_MMS : MSG_TYPE_SMS;
    msg.ints[MSG_MESSAGE_NETWORK_STATUS_INT] = stored.networkStatus;
    msg.ints[MSG_MESSAGE_DISPLAY_TIME_INT] = static_cast<int>(stored.time / 1000);
    msg.ints[MSG_MESSAGE_STORAGE_ID_INT] = MSG_STORAGE_WATCH;
    msg.bools[MSG_MESSAGE_READ_BOOL] = stored.isRead;
    msg.strs[MSG_MESSAGE_SUBJECT_STR] = stored.subject;
    msg.strs[MSG_MESSAGE_SMS_DATA_STR] = stored.text;
    msg.ints[MSG_MESSAGE_DATA_SIZE_INT] = static_cast<int>(stored.text.size());
    for (size_t start = 0; start < stored.address.size();) {
        size_t end = stored.address.find(';', start);
        if (end == std::string::npos)
            end = stored.address.size();
        msg_struct* address = appendItem(msg, MSG_MESSAGE_ADDR_LIST_HND);
        address->ints[MSG_ADDRESS_INFO_ADDRESS_TYPE_INT] = MSG_ADDRESS_TYPE_PLMN;
        address->ints[MSG_ADDRESS_INFO_RECIPIENT_TYPE_INT] = MSG_RECIPIENTS_TYPE_TO;
        address->strs[MSG_ADDRESS_INFO_ADDRESS_VALUE_STR] = stored.address.substr(start, end - start);
        start = end + 1;
    }
    if (stored.msgType == "mms")
        contentsToMms(stored.contents, *msg.mms);
}

bool readSendOptions(int msgId, msg_struct& options) {
    msg_device::Connection* db = serviceReader();
    PLAT_RETV_IF(!db, false, "no device");
    auto select = db->prepare("SELECT setting, deliver, keep_copy FROM msg_send_options WHERE msg_id = ?");
    select.bind(1, msgId);
    if (select.step()) {
        options.bools[MSG_SEND_OPT_SETTING_BOOL] = select.columnInt(0) != 0;
        options.bools[MSG_SEND_OPT_DELIVER_REQ_BOOL] = select.columnInt(1) != 0;
        options.bools[MSG_SEND_OPT_KEEPCOPY_BOOL] = select.columnInt(2) != 0;
    }
    return !select.failed();
}

} // namespace

extern "C" int msg_get_message(msg_handle_t handle, int msg_id, msg_struct_t msg, msg_struct_t send_opt) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    PLAT_RETV_IF(!msg, MSG_ERR_NULL_POINTER, "msg is null");
    PLAT_RETV_IF(msg->type != MSG_STRUCT_MESSAGE_INFO || (send_opt && send_opt->type != MSG_STRUCT_SENDOPT),
                 MSG_ERR_INVALID_PARAMETER, "wrong structure kinds");
    msg_store::Message stored;
    PLAT_RETV_IF(msg_id <= 0 ||
                     msg_store::MessageManager().getMessage(msg_id, stored) != msg_store::MSG_STORE_SUCCESS,
                 MSG_ERR_DB_NORECORD, "no message %d", msg_id);
    // The phone's messages belong to the phone; this service knows the watch's own.
    PLAT_RETV_IF(stored.folderType < msg_store::FOLDER_WATCH_INBOX, MSG_ERR_DB_NORECORD,
                 "message %d is the phone's", msg_id);
    std::unique_ptr<msg_struct> filled = newStruct(MSG_STRUCT_MESSAGE_INFO);
    fillMessage(stored, *filled);
    std::unique_ptr<msg_struct> options = newStruct(MSG_STRUCT_SENDOPT);
    PLAT_RETV_IF(send_opt && !readSendOptions(msg_id, *options), MSG_ERR_DB_ERROR,
                 "cannot read send options");
    *msg = std::move(*filled);
    if (send_opt)
        *send_opt = std::move(*options);
    return MSG_SUCCESS;
}
