// Cell-broadcast options, kept in the device so that every process sees the same.
#include "MsgHandle.h"
#include "MsgServiceDb.h"
#include "MsgStruct.h"
#include "log/PlatformLog.h"
#include "msg.h"
#include "msg_storage.h"

using namespace msg_service;

namespace {

// One SIM on the watch.
constexpr int kMaxSimCount = 1;

} // namespace

extern "C" int msg_get_cb_opt(msg_handle_t handle, msg_struct_t msg_struct) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    PLAT_RETV_IF(!msg_struct, MSG_ERR_NULL_POINTER, "msg_struct is null");
    PLAT_RETV_IF(msg_struct->type != MSG_STRUCT_SETTING_CB_OPT, MSG_ERR_INVALID_PARAMETER, "not CB options");
    msg_device::Connection* db = serviceReader();
    PLAT_RETV_IF(!db, MSG_ERR_DB_ERROR, "no device");
    auto options = newStruct(MSG_STRUCT_SETTING_CB_OPT);
    // A device that never stored options receives broadcasts in every language.
    options->bools[MSG_CB_RECEIVE_BOOL] = true;
    options->bools[MSG_CB_LANGUAGE_TYPE_ALL_BOOL] = true;
    options->ints[MSG_CB_MAX_SIM_COUNT_INT] = kMaxSimCount;
    auto select = db->prepare("SELECT receive, all_languages FROM msg_cb_options WHERE id = 1");
    if (select.step()) {
        options->bools[MSG_CB_RECEIVE_BOOL] = select.columnInt(0) != 0;
        options->bools[MSG_CB_LANGUAGE_TYPE_ALL_BOOL] = select.columnInt(1) != 0;
    }
    auto channels = db->prepare("SELECT active, from_id, to_id, name FROM msg_cb_channels ORDER BY pos");
    while (channels.step()) {
        auto* channel = appendItem(*options, MSG_CB_CHANNEL_LIST_HND);
        channel->bools[MSG_CB_CHANNEL_ACTIVATE_BOOL] = channels.columnInt(0) != 0;
        channel->ints[MSG_CB_CHANNEL_ID_FROM_INT] = channels.columnInt(1);
        channel->ints[MSG_CB_CHANNEL_ID_TO_INT] = channels.columnInt(2);
        channel->strs[MSG_CB_CHANNEL_NAME_STR] = channels.columnText(3);
    }
    PLAT_RETV_IF(select.failed() || channels.failed(), MSG_ERR_DB_ERROR, "cannot read the CB options");
    *msg_struct = std::move(*options);
    return MSG_SUCCESS;
}

extern "C" int msg_set_cb_opt(msg_handle_t handle, msg_struct_t msg_struct) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    PLAT_RETV_IF(!msg_struct, MSG_ERR_NULL_POINTER, "msg_struct is null");
    PLAT_RETV_IF(msg_struct->type != MSG_STRUCT_SETTING_CB_OPT, MSG_ERR_INVALID_PARAMETER, "not CB options");
    const msg_list* channels = listOf(*msg_struct, MSG_CB_CHANNEL_LIST_HND);
    PLAT_RETV_IF(channels->items.size() > MSG_CB_CHANNEL_MAX, MSG_ERR_INVALID_PARAMETER, "%zu channels",
                 channels->items.size());
    for (const auto& channel : channels->items) {
        int from = intOf(*channel, MSG_CB_CHANNEL_ID_FROM_INT),
            to = intOf(*channel, MSG_CB_CHANNEL_ID_TO_INT);
        // Message identifiers of cell broadcast are 16 bits.
        PLAT_RETV_IF(from < 0 || to > 0xFFFF || from > to, MSG_ERR_INVALID_PARAMETER, "channel %d-%d", from,
                     to);
    }
    msg_device::Device* device = serviceDevice();
    PLAT_RETV_IF(!device, MSG_ERR_DB_ERROR, "no device");
    bool written = device->write([&](msg_device::Connection& db, msg_device::ChangeLog& log) {
        auto options = db.prepare("INSERT OR REPLACE INTO msg_cb_options(id, receive, all_languages)"
                                  " VALUES(1, ?, ?)");
        options.bind(1, boolOf(*msg_struct, MSG_CB_RECEIVE_BOOL) ? 1 : 0)
            .bind(2, boolOf(*msg_struct, MSG_CB_LANGUAGE_TYPE_ALL_BOOL) ? 1 : 0);
        if (!options.exec() || !db.exec("DELETE FROM msg_cb_channels"))
            return false;
        for (const auto& channel : channels->items) {
            auto insert =
                db.prepare("INSERT INTO msg_cb_channels(active, from_id, to_id, name) VALUES(?, ?, ?, ?)");
            insert.bind(1, boolOf(*channel, MSG_CB_CHANNEL_ACTIVATE_BOOL) ? 1 : 0)
                .bind(2, intOf(*channel, MSG_CB_CHANNEL_ID_FROM_INT))
                .bind(3, intOf(*channel, MSG_CB_CHANNEL_ID_TO_INT))
                .bind(4, strOf(*channel, MSG_CB_CHANNEL_NAME_STR));
            if (!insert.exec())
                return false;
        }
        log.append(kCbOptionsTopic, "");
        return true;
    });
    return written ? MSG_SUCCESS : MSG_ERR_DB_ERROR;
}
