// The C interface of the messaging structures.
#include "msg.h"

#include "MsgStruct.h"
#include "log/PlatformLog.h"

#include <cstring>
#include <glib.h>

using msg_service::FieldKind;
using msg_service::findField;

extern "C" msg_struct_t msg_create_struct(int struct_type) {
    return msg_service::newStruct(struct_type).release();
}

extern "C" int msg_release_struct(msg_struct_t* msg_struct) {
    PLAT_RETV_IF(!msg_struct || !*msg_struct, MSG_ERR_NULL_POINTER, "msg_struct is null");
    delete *msg_struct;
    *msg_struct = nullptr;
    return MSG_SUCCESS;
}

extern "C" int msg_release_list_struct(msg_struct_list_s* list) {
    PLAT_RETV_IF(!list, MSG_ERR_NULL_POINTER, "list is null");
    for (int i = 0; list->msg_struct_info && i < list->nCount; ++i)
        delete list->msg_struct_info[i];
    delete[] list->msg_struct_info;
    list->msg_struct_info = nullptr;
    list->nCount = 0;
    return MSG_SUCCESS;
}

extern "C" int msg_get_int_value(msg_struct_t msg_struct, int field, int* value) {
    PLAT_RETV_IF(!msg_struct || !value, MSG_ERR_NULL_POINTER, "null argument");
    PLAT_RETV_IF(!findField(msg_struct, field, FieldKind::Int), MSG_ERR_INVALID_PARAMETER, "bad field %d",
                 field);
    *value = msg_struct->ints[field];
    return MSG_SUCCESS;
}

extern "C" int msg_get_bool_value(msg_struct_t msg_struct, int field, bool* value) {
    PLAT_RETV_IF(!msg_struct || !value, MSG_ERR_NULL_POINTER, "null argument");
    PLAT_RETV_IF(!findField(msg_struct, field, FieldKind::Bool), MSG_ERR_INVALID_PARAMETER, "bad field %d",
                 field);
    *value = msg_struct->bools[field];
    return MSG_SUCCESS;
}

extern "C" int msg_get_str_value(msg_struct_t msg_struct, int field, char* value, int size) {
    PLAT_RETV_IF(!msg_struct || !value, MSG_ERR_NULL_POINTER, "null argument");
    PLAT_RETV_IF(size <= 0, MSG_ERR_INVALID_PARAMETER, "size %d", size);
    PLAT_RETV_IF(!findField(msg_struct, field, FieldKind::Str), MSG_ERR_INVALID_PARAMETER, "bad field %d",
                 field);
    const std::string& text = msg_struct->strs[field];
    size_t length = std::min(text.size(), static_cast<size_t>(size - 1));
    // Never cut inside a UTF-8 sequence.
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(value, text.data(), length);
    value[length] = '\0';
    return MSG_SUCCESS;
}

extern "C" int msg_get_struct_handle(msg_struct_t msg_struct, int field, void** value) {
    PLAT_RETV_IF(!msg_struct || !value, MSG_ERR_NULL_POINTER, "null argument");
    PLAT_RETV_IF(!findField(msg_struct, field, FieldKind::Struct), MSG_ERR_INVALID_PARAMETER, "bad field %d",
                 field);
    *value = msg_struct->children[field].get();
    return MSG_SUCCESS;
}

extern "C" int msg_get_list_handle(msg_struct_t msg_struct, int field, void** value) {
    PLAT_RETV_IF(!msg_struct || !value, MSG_ERR_NULL_POINTER, "null argument");
    PLAT_RETV_IF(!findField(msg_struct, field, FieldKind::List), MSG_ERR_INVALID_PARAMETER, "bad field %d",
                 field);
    *value = msg_struct->lists[field].get();
    return MSG_SUCCESS;
}

extern "C" int msg_set_int_value(msg_struct_t msg_struct, int field, int value) {
    PLAT_RETV_IF(!msg_struct, MSG_ERR_NULL_POINTER, "msg_struct is null");
    PLAT_RETV_IF(!findField(msg_struct, field, FieldKind::Int), MSG_ERR_INVALID_PARAMETER, "bad field %d",
                 field);
    msg_struct->ints[field] = value;
    return MSG_SUCCESS;
}

extern "C" int msg_set_bool_value(msg_struct_t msg_struct, int field, bool value) {
    PLAT_RETV_IF(!msg_struct, MSG_ERR_NULL_POINTER, "msg_struct is null");
    PLAT_RETV_IF(!findField(msg_struct, field, FieldKind::Bool), MSG_ERR_INVALID_PARAMETER, "bad field %d",
                 field);
    msg_struct->bools[field] = value;
    return MSG_SUCCESS;
}

extern "C" int msg_set_str_value(msg_struct_t msg_struct, int field, const char* value, int size) {
    PLAT_RETV_IF(!msg_struct || !value, MSG_ERR_NULL_POINTER, "null argument");
    const msg_service::FieldSpec* spec = findField(msg_struct, field, FieldKind::Str);
    PLAT_RETV_IF(!spec, MSG_ERR_INVALID_PARAMETER, "bad field %d", field);
    PLAT_RETV_IF(size < 0, MSG_ERR_INVALID_PARAMETER, "size %d", size);
    // The size bounds the read; the text ends at its first zero byte within it.
    size_t length = strnlen(value, static_cast<size_t>(size));
    PLAT_RETV_IF(length > static_cast<size_t>(spec->maxBytes), MSG_ERR_INVALID_PARAMETER,
                 "text of %zu bytes is longer than %d", length, spec->maxBytes);
    PLAT_RETV_IF(!g_utf8_validate(value, static_cast<gssize>(length), nullptr), MSG_ERR_INVALID_PARAMETER,
                 "text is not UTF-8");
    msg_struct->strs[field].assign(value, length);
    return MSG_SUCCESS;
}

extern "C" int msg_set_struct_handle(msg_struct_t msg_struct, int field, msg_struct_t value) {
    PLAT_RETV_IF(!msg_struct || !value, MSG_ERR_NULL_POINTER, "null argument");
    const msg_service::FieldSpec* spec = findField(msg_struct, field, FieldKind::Struct);
    PLAT_RETV_IF(!spec, MSG_ERR_INVALID_PARAMETER, "bad field %d", field);
    PLAT_RETV_IF(value->type != spec->childType, MSG_ERR_INVALID_PARAMETER, "kind %d where %d belongs",
                 value->type, spec->childType);
    PLAT_RETV_IF(value == msg_struct->children[field].get(), MSG_SUCCESS, "already the field's structure");
    msg_struct->children[field] = msg_service::cloneStruct(*value);
    return MSG_SUCCESS;
}

extern "C" int msg_list_add_item(msg_struct_t msg_struct, int field, msg_struct_t* item) {
    PLAT_RETV_IF(!msg_struct || !item, MSG_ERR_NULL_POINTER, "null argument");
    msg_struct_t added = msg_service::appendItem(*msg_struct, field);
    PLAT_RETV_IF(!added, MSG_ERR_INVALID_PARAMETER, "bad list field %d", field);
    *item = added;
    return MSG_SUCCESS;
}

extern "C" int msg_list_length(msg_list_handle_t list) {
    PLAT_RETV_IF(!list, MSG_ERR_NULL_POINTER, "list is null");
    return static_cast<int>(list->items.size());
}

extern "C" msg_struct_t msg_list_nth_data(msg_list_handle_t list, int index) {
    PLAT_RETV_IF(!list, nullptr, "list is null");
    PLAT_RETV_IF(index < 0 || static_cast<size_t>(index) >= list->items.size(), nullptr, "index %d", index);
    return list->items[static_cast<size_t>(index)].get();
}

extern "C" int msg_list_clear(msg_struct_t msg_struct, int field) {
    PLAT_RETV_IF(!msg_struct, MSG_ERR_NULL_POINTER, "msg_struct is null");
    PLAT_RETV_IF(!findField(msg_struct, field, FieldKind::List), MSG_ERR_INVALID_PARAMETER, "bad field %d",
                 field);
    msg_struct->lists[field]->items.clear();
    return MSG_SUCCESS;
}

extern "C" int msg_mms_add_item(msg_struct_t msg_struct, int field, msg_struct_t* item) {
    PLAT_RETV_IF(msg_struct && msg_struct->type != MSG_STRUCT_MMS && msg_struct->type != MSG_STRUCT_MMS_PAGE,
                 MSG_ERR_INVALID_PARAMETER, "not an MMS structure");
    return msg_list_add_item(msg_struct, field, item);
}

extern "C" int msg_set_mms_struct(msg_struct_t msg, msg_struct_t mms) {
    PLAT_RETV_IF(!msg || !mms, MSG_ERR_NULL_POINTER, "null argument");
    PLAT_RETV_IF(msg->type != MSG_STRUCT_MESSAGE_INFO || mms->type != MSG_STRUCT_MMS,
                 MSG_ERR_INVALID_PARAMETER, "kinds %d, %d", msg->type, mms->type);
    msg->mms = msg_service::cloneStruct(*mms);
    return MSG_SUCCESS;
}

extern "C" int msg_get_mms_struct(msg_struct_t msg, msg_struct_t mms) {
    PLAT_RETV_IF(!msg || !mms, MSG_ERR_NULL_POINTER, "null argument");
    PLAT_RETV_IF(msg->type != MSG_STRUCT_MESSAGE_INFO || mms->type != MSG_STRUCT_MMS,
                 MSG_ERR_INVALID_PARAMETER, "kinds %d, %d", msg->type, mms->type);
    *mms = std::move(*msg_service::cloneStruct(*msg->mms));
    return MSG_SUCCESS;
}
