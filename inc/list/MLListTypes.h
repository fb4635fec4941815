/*
 * The kinds of list the list screen shows, the kinds of row data behind them and the entries the
 * list offers to the screen's menu.
 */
#ifndef MSG_APP_LIST_MLLISTTYPES_H
#define MSG_APP_LIST_MLLISTTYPES_H

#include <cstdint>

namespace msg_app {
namespace msg_list {

enum ListType : int {
    LIST_TYPE_THREAD = 0,      // the conversation list
    LIST_TYPE_BLOCKED_MSG = 1, // messages of the spam folder
};

enum DataType : int {
    THREAD = 0, // rows are conversations
    MSG = 1,    // rows are single messages
};

enum ListFilter : int {
    NONE = 0,
    SPAM = 1,
};

enum MsgType : int {
    MSG_TYPE_SMS = 0,
    MSG_TYPE_MMS = 1,
    MSG_TYPE_WAP = 2,
    MSG_TYPE_CB = 3,
    MSG_TYPE_CMAS = 4,
    MSG_TYPE_FT = 5, // file transfer or chat
};

// The entries the list offers to the screen's more-option menu.
enum MoreOption : uint8_t {
    MORE_OPTION_NEW_MESSAGE = 0,
    MORE_OPTION_DELETE = 1,
    MORE_OPTION_RESTORE = 2,
};

constexpr int INVALID_ID = -1;

} // namespace msg_list
} // namespace msg_app

#endif
