/*
 * The message store's storage-change payload: "<type>:<mid>/<tid>,<mid>/<tid>,..."
 * turned into a change type and a map of ids.
 */
#ifndef MSG_APP_COMMON_MCOMMONSTORAGECHANGEPARSER_H
#define MSG_APP_COMMON_MCOMMONSTORAGECHANGEPARSER_H

#include <map>

namespace msg_app {

class MCommonStorageChangeParser {
public:
    enum ChangeType {
        CHANGE_TYPE_INSERTED = 1,
        CHANGE_TYPE_UPDATED = 2,
        CHANGE_TYPE_REPLACED = 3,
        CHANGE_TYPE_DELETED = 4,
        CHANGE_TYPE_GROUPCHAT_ADDRESS_CHANGED = 5,
    };

    enum Key {
        // Keyed by thread id, holding the message id.
        KEY_THREAD_ID = 0,
        // Keyed by message id, holding the thread id.
        KEY_MESSAGE_ID = 1,
    };

    // On success *outType is the change type and outIds holds exactly the payload's entries (a key
    // that occurs again takes the later value); both are left unchanged on failure. Entries without
    // "/" or with ids that are not decimal integers are skipped.
    static bool parse(const char* payload, Key key, ChangeType* outType, std::map<int, int>& outIds);
};

} // namespace msg_app

#endif
