#include "MsgStruct.h"

#include "log/PlatformLog.h"

namespace msg_service {

namespace {

using K = FieldKind;

struct KindSpec {
    int type;
    std::vector<FieldSpec> fields;
};

constexpr int kPathBytes = 1023;
constexpr int kTextBytes = 1024 * 1024;

const std::vector<KindSpec>& kinds() {
    static const std::vector<KindSpec> table = {
        {MSG_STRUCT_MESSAGE_INFO,
         {{MSG_MESSAGE_ID_INT, K::Int, 0, 0},
          {MSG_MESSAGE_THREAD_ID_INT, K::Int, 0, 0},
          {MSG_MESSAGE_FOLDER_ID_INT, K::Int, 0, 0},
          {MSG_MESSAGE_TYPE_INT, K::Int, 0, 0},
          {MSG_MESSAGE_NETWORK_STATUS_INT, K::Int, 0, 0},
          {MSG_MESSAGE_DISPLAY_TIME_INT, K::Int, 0, 0},
          {MSG_MESSAGE_READ_BOOL, K::Bool, 0, 0},
          {MSG_MESSAGE_STORAGE_ID_INT, K::Int, 0, 0},
          {MSG_MESSAGE_SUBJECT_STR, K::Str, 0, 120},
          {MSG_MESSAGE_SMS_DATA_STR, K::Str, 0, kTextBytes},
          {MSG_MESSAGE_DATA_SIZE_INT, K::Int, 0, 0},
          {MSG_MESSAGE_ADDR_LIST_HND, K::List, MSG_STRUCT_ADDRESS_INFO, 0}}},
        {MSG_STRUCT_REQUEST_INFO,
         {{MSG_REQUEST_REQUESTID_INT, K::Int, 0, 0},
          {MSG_REQUEST_MESSAGE_HND, K::Struct, MSG_STRUCT_MESSAGE_INFO, 0},
          {MSG_REQUEST_SENDOPT_HND, K::Struct, MSG_STRUCT_SENDOPT, 0}}},
        {MSG_STRUCT_ADDRESS_INFO,
         {{MSG_ADDRESS_INFO_ADDRESS_TYPE_INT, K::Int, 0, 0},
          {MSG_ADDRESS_INFO_RECIPIENT_TYPE_INT, K::Int, 0, 0},
          {MSG_ADDRESS_INFO_DISPLAYNAME_STR, K::Str, 0, 195},
          {MSG_ADDRESS_INFO_ADDRESS_VALUE_STR, K::Str, 0, 255}}},
        {MSG_STRUCT_SENDOPT,
         {{MSG_SEND_OPT_SETTING_BOOL, K::Bool, 0, 0},
          {MSG_SEND_OPT_DELIVER_REQ_BOOL, K::Bool, 0, 0},
          {MSG_SEND_OPT_KEEPCOPY_BOOL, K::Bool, 0, 0}}},
        {MSG_STRUCT_MMS,
         {{MSG_MMS_PAGE_LIST_HND, K::List, MSG_STRUCT_MMS_PAGE, 0},
          {MSG_MMS_REGION_LIST_HND, K::List, MSG_STRUCT_MMS_REGION, 0},
          {MSG_MMS_ATTACH_LIST_HND, K::List, MSG_STRUCT_MMS_ATTACH, 0},
          {MSG_MMS_ROOTLAYOUT_WIDTH_INT, K::Int, 0, 0},
          {MSG_MMS_ROOTLAYOUT_HEIGHT_INT, K::Int, 0, 0},
          {MSG_MMS_ROOTLAYOUT_BGCOLOR_INT, K::Int, 0, 0}}},
        {MSG_STRUCT_MMS_PAGE,
         {{MSG_MMS_PAGE_MEDIA_LIST_HND, K::List, MSG_STRUCT_MMS_MEDIA, 0},
          {MSG_MMS_PAGE_PAGE_DURATION_INT, K::Int, 0, 0}}},
        {MSG_STRUCT_MMS_MEDIA,
         {{MSG_MMS_MEDIA_TYPE_INT, K::Int, 0, 0},
          {MSG_MMS_MEDIA_FILEPATH_STR, K::Str, 0, kPathBytes},
          {MSG_MMS_MEDIA_REGION_ID_STR, K::Str, 0, 63},
          {MSG_MMS_MEDIA_CONTENT_TYPE_STR, K::Str, 0, 127},
          {MSG_MMS_MEDIA_TEXT_COLOR_INT, K::Int, 0, 0},
          {MSG_MMS_MEDIA_TEXT_STR, K::Str, 0, kTextBytes}}},
        {MSG_STRUCT_MMS_REGION,
         {{MSG_MMS_REGION_ID_STR, K::Str, 0, 63},
          {MSG_MMS_REGION_LENGTH_LEFT_INT, K::Int, 0, 0},
          {MSG_MMS_REGION_LENGTH_TOP_INT, K::Int, 0, 0},
          {MSG_MMS_REGION_LENGTH_WIDTH_INT, K::Int, 0, 0},
          {MSG_MMS_REGION_LENGTH_HEIGHT_INT, K::Int, 0, 0},
          {MSG_MMS_REGION_BGCOLOR_INT, K::Int, 0, 0}}},
        {MSG_STRUCT_MMS_ATTACH,
         {{MSG_MMS_ATTACH_FILEPATH_STR, K::Str, 0, kPathBytes},
          {MSG_MMS_ATTACH_CONTENT_TYPE_STR, K::Str, 0, 127}}},
        {MSG_STRUCT_FILTER,
         {{MSG_FILTER_ID_INT, K::Int, 0, 0},
          {MSG_FILTER_TYPE_INT, K::Int, 0, 0},
          {MSG_FILTER_VALUE_STR, K::Str, 0, MSG_FILTER_VALUE_LEN},
          {MSG_FILTER_ACTIVE_BOOL, K::Bool, 0, 0}}},
        {MSG_STRUCT_SETTING_CB_OPT,
         {{MSG_CB_RECEIVE_BOOL, K::Bool, 0, 0},
          {MSG_CB_MAX_SIM_COUNT_INT, K::Int, 0, 0},
          {MSG_CB_CHANNEL_LIST_HND, K::List, MSG_STRUCT_SETTING_CB_CHANNEL_INFO, 0},
          {MSG_CB_LANGUAGE_TYPE_ALL_BOOL, K::Bool, 0, 0}}},
        {MSG_STRUCT_SETTING_CB_CHANNEL_INFO,
         {{MSG_CB_CHANNEL_ACTIVATE_BOOL, K::Bool, 0, 0},
          {MSG_CB_CHANNEL_ID_FROM_INT, K::Int, 0, 0},
          {MSG_CB_CHANNEL_ID_TO_INT, K::Int, 0, 0},
          {MSG_CB_CHANNEL_NAME_STR, K::Str, 0, MSG_CB_CHANNEL_NAME_LEN}}},
    };
    return table;
}

const KindSpec* kindOf(int type) {
    for (const KindSpec& kind : kinds()) {
        if (kind.type == type)
            return &kind;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<msg_struct> newStruct(int type) {
    const KindSpec* kind = kindOf(type);
    PLAT_RETV_IF(!kind, nullptr, "unknown structure kind %d", type);
    auto st = std::make_unique<msg_struct>();
    st->type = type;
    for (const FieldSpec& field : kind->fields) {
        switch (field.kind) {
        case K::Int:
            st->ints[field.id] = 0;
            break;
        case K::Bool:
            st->bools[field.id] = false;
            break;
        case K::Str:
            st->strs[field.id];
            break;
        case K::Struct:
            st->children[field.id] = newStruct(field.childType);
            break;
        case K::List:
            st->lists[field.id] = std::make_unique<msg_list>();
            st->lists[field.id]->itemType = field.childType;
            break;
        }
    }
    if (type == MSG_STRUCT_MESSAGE_INFO)
        st->mms = newStruct(MSG_STRUCT_MMS);
    return st;
}

std::unique_ptr<msg_struct> cloneStruct(const msg_struct& source) {
    auto st = std::make_unique<msg_struct>();
    st->type = source.type;
    st->ints = source.ints;
    st->bools = source.bools;
    st->strs = source.strs;
    for (const auto& [id, child] : source.children)
        st->children[id] = cloneStruct(*child);
    for (const auto& [id, list] : source.lists) {
        auto copy = std::make_unique<msg_list>();
        copy->itemType = list->itemType;
        for (const auto& item : list->items)
            copy->items.push_back(cloneStruct(*item));
        st->lists[id] = std::move(copy);
    }
    if (source.mms)
        st->mms = cloneStruct(*source.mms);
    return st;
}

const FieldSpec* findField(const msg_struct* st, int id, FieldKind kind) {
    const KindSpec* spec = st ? kindOf(st->type) : nullptr;
    PLAT_RETV_IF(!spec, nullptr, "invalid structure");
    for (const FieldSpec& field : spec->fields) {
        if (field.id == id) {
            PLAT_RETV_IF(field.kind != kind, nullptr, "property %d of kind %d has another type", id,
                         st->type);
            return &field;
        }
    }
    PLAT_LOGE("no property %d in kind %d", id, st->type);
    return nullptr;
}

int intOf(const msg_struct& st, int id) {
    auto it = st.ints.find(id);
    return it == st.ints.end() ? 0 : it->second;
}

bool boolOf(const msg_struct& st, int id) {
    auto it = st.bools.find(id);
    return it != st.bools.end() && it->second;
}

std::string strOf(const msg_struct& st, int id) {
    auto it = st.strs.find(id);
    return it == st.strs.end() ? std::string() : it->second;
}

msg_list* listOf(const msg_struct& st, int id) {
    auto it = st.lists.find(id);
    return it == st.lists.end() ? nullptr : it->second.get();
}

msg_struct* appendItem(msg_struct& st, int listId) {
    msg_list* list = findField(&st, listId, FieldKind::List) ? listOf(st, listId) : nullptr;
    if (!list)
        return nullptr;
    std::unique_ptr<msg_struct> item = newStruct(list->itemType);
    if (!item)
        return nullptr;
    list->items.push_back(std::move(item));
    return list->items.back().get();
}

} // namespace msg_service
