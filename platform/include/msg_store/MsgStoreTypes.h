/*
 * Values shared by every record and manager of the message-store client.
 */
#ifndef MSG_STORE_MSGSTORETYPES_H
#define MSG_STORE_MSGSTORETYPES_H

namespace msg_store {

// Results of every call: 0 on success, a distinct negative code per kind of failure.
enum MsgResult : int {
    MSG_STORE_SUCCESS = 0,
    MSG_STORE_ERR_INVALID_ARGUMENT = -1,
    MSG_STORE_ERR_NOT_FOUND = -2,
    MSG_STORE_ERR_NOT_CONNECTED = -3,
    MSG_STORE_ERR_DB = -4,
    // The device's folder cannot be written: what is stored can be read, nothing can be saved.
    MSG_STORE_ERR_READ_ONLY = -5,
    // The device's disk has no room for the change.
    MSG_STORE_ERR_STORAGE_FULL = -6,
};

enum EventType : int {
    EVENT_TYPE_STORAGE_CHANGE = 1,
    EVENT_TYPE_CONTENT_CHANGED = 2,
    EVENT_TYPE_GROUPCHAT_STATE_CHANGE = 3,
};

// Folders 1-5 hold the paired phone's messages, 101-105 those the watch sent or received itself.
enum FolderType : int {
    FOLDER_NONE = 0,
    FOLDER_INBOX = 1,
    FOLDER_OUTBOX = 2,
    FOLDER_SENT = 3,
    FOLDER_DRAFT = 4,
    FOLDER_SPAM = 5,
    FOLDER_WATCH_INBOX = 101,
    FOLDER_WATCH_OUTBOX = 102,
    FOLDER_WATCH_SENT = 103,
    FOLDER_WATCH_DRAFT = 104,
    FOLDER_WATCH_SPAM = 105,
};

enum NetworkStatus : int {
    NETWORK_STATUS_NONE = 0,
    NETWORK_STATUS_SENDING = 1,
    NETWORK_STATUS_SEND_SUCCESS = 2,
    NETWORK_STATUS_SEND_FAIL = 3,
    NETWORK_STATUS_SEND_TIMEOUT = 4,
    NETWORK_STATUS_SEND_FAIL_MANDATORY_INFO = 5,
    NETWORK_STATUS_SEND_FAIL_TEMPORARY = 6,
    NETWORK_STATUS_SEND_FAIL_BY_MO_CONTROL = 7,
    NETWORK_STATUS_NOT_RETRIEVED = 8,
    NETWORK_STATUS_RETRIEVING = 9,
    NETWORK_STATUS_RETRIEVE_SUCCESS = 10,
    NETWORK_STATUS_RETRIEVE_FAIL = 11,
    NETWORK_STATUS_SEND_PENDING = 12,
    NETWORK_STATUS_DELIVERED = 13,
    NETWORK_STATUS_SEND_FAIL_FDN = 14,
    NETWORK_STATUS_SEND_FAIL_NETWORK = 15,
};

enum AddressType : int {
    ADDRESS_TYPE_UNKNOWN = 0,
    ADDRESS_TYPE_PHONE = 1,
    ADDRESS_TYPE_EMAIL = 2,
    ADDRESS_TYPE_CALLBACK = 3,
};

// Preference keys the store shares with the application (application id "msg-store").
constexpr const char* PREF_BOOL_SUPPORT_SENDING_MMS = "consumer_preference_bool_support_sending_mms";
constexpr const char* PREF_INT_CONSUMER_STATUS = "consumer_preference_int_consumer_status";
constexpr const char* PREF_INT_SENDING_MESSAGE_ID = "consumer_preference_int_sending_message_id";

// True for the phone's and the watch's spam folders.
constexpr bool isSpamFolder(int folder) {
    return folder == FOLDER_SPAM || folder == FOLDER_WATCH_SPAM;
}

// True for the statuses of a send that failed.
constexpr bool isSendFailure(int status) {
    return status == NETWORK_STATUS_SEND_FAIL ||
           (status >= NETWORK_STATUS_SEND_TIMEOUT && status <= NETWORK_STATUS_SEND_FAIL_BY_MO_CONTROL) ||
           status == NETWORK_STATUS_SEND_FAIL_FDN || status == NETWORK_STATUS_SEND_FAIL_NETWORK;
}

} // namespace msg_store

#endif
