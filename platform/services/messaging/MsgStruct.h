/*
 * The structures behind msg_struct_t: a kind and typed fields by property id.
 * Which fields a kind has (and their limits) comes from one table, so every
 * getter and setter checks the same rules.
 */
#ifndef MSG_SERVICES_MSGSTRUCT_H
#define MSG_SERVICES_MSGSTRUCT_H

#include "msg_types.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct msg_struct;

struct msg_list {
    int itemType = 0;
    std::vector<std::unique_ptr<msg_struct>> items;
};

struct msg_struct {
    int type = 0;
    std::map<int, int> ints;
    std::map<int, bool> bools;
    std::map<int, std::string> strs;
    std::map<int, std::unique_ptr<msg_struct>> children;
    std::map<int, std::unique_ptr<msg_list>> lists;
    // The MMS body a message carries (MSG_STRUCT_MESSAGE_INFO only).
    std::unique_ptr<msg_struct> mms;
};

namespace msg_service {

enum class FieldKind { Int, Bool, Str, Struct, List };

struct FieldSpec {
    int id;
    FieldKind kind;
    int childType; // the structure kind of a Struct field or of a List's items
    int maxBytes;  // Str only
};

// Null for a kind the service does not know.
std::unique_ptr<msg_struct> newStruct(int type);
std::unique_ptr<msg_struct> cloneStruct(const msg_struct& source);
// The field of the structure's kind with this id and kind; null (logged) otherwise.
const FieldSpec* findField(const msg_struct* st, int id, FieldKind kind);

// Convenience readers for the service's own code (defaults when unset).
int intOf(const msg_struct& st, int id);
bool boolOf(const msg_struct& st, int id);
std::string strOf(const msg_struct& st, int id);
msg_list* listOf(const msg_struct& st, int id);
// Appends a new element to a list field; null when the field is not a list of the structure.
msg_struct* appendItem(msg_struct& st, int listId);

} // namespace msg_service

#endif
