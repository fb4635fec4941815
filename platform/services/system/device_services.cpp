// Storage size, power locks and haptic feedback of the device.
#include "DeviceSettings.h"
#include "JournalStore.h"
#include "device/Device.h"
#include "device_power.h"
#include "feedback.h"
#include "log/PlatformLog.h"
#include "storage.h"

#include <atomic>
#include <string>

using msg_services::DeviceSettings;
using msg_services::JournalStore;

namespace {

constexpr unsigned long kBlockSize = 4096;

std::atomic<int>& feedbackUsers() {
    static std::atomic<int> users{0};
    return users;
}

const char* feedbackTypeName(feedback_type_e type) {
    switch (type) {
    case FEEDBACK_TYPE_SOUND:
        return "sound";
    case FEEDBACK_TYPE_VIBRATION:
        return "vibration";
    case FEEDBACK_TYPE_NONE:
        break;
    }
    return "all";
}

} // namespace

extern "C" int storage_get_internal_memory_size(struct statvfs* buf) {
    PLAT_RETV_IF(!buf, STORAGE_ERROR_INVALID_PARAMETER, "buf is null");
    msg_device::Device* device = msg_device::Device::getDefault();
    PLAT_RETV_IF(!device, STORAGE_ERROR_OPERATION_FAILED, "no device");
    struct statvfs disk {};
    PLAT_RETV_IF(statvfs(device->dir().c_str(), &disk) != 0, STORAGE_ERROR_OPERATION_FAILED,
                 "statvfs failed");
    int pretendKb = DeviceSettings::getInt("memory/private/device/storage_free_kb", -1);
    if (pretendKb >= 0) {
        // Sizes in blocks of 4 KiB, so that block size times available blocks gives the free bytes.
        disk.f_bsize = kBlockSize;
        disk.f_frsize = kBlockSize;
        disk.f_bavail = static_cast<fsblkcnt_t>(pretendKb) * 1024 / kBlockSize;
        disk.f_bfree = disk.f_bavail;
    }
    *buf = disk;
    return STORAGE_ERROR_NONE;
}

extern "C" int device_power_request_lock(power_lock_e type, int timeout_ms) {
    PLAT_RETV_IF(type < POWER_LOCK_CPU || type > POWER_LOCK_DISPLAY_DIM, DEVICE_ERROR_INVALID_PARAMETER,
                 "unknown lock %d", type);
    PLAT_RETV_IF(timeout_ms < 0, DEVICE_ERROR_INVALID_PARAMETER, "negative timeout");
    return JournalStore::append("power", "lock", std::to_string(type) + " " + std::to_string(timeout_ms))
               ? DEVICE_ERROR_NONE
               : DEVICE_ERROR_OPERATION_FAILED;
}

extern "C" int device_power_release_lock(power_lock_e type) {
    PLAT_RETV_IF(type < POWER_LOCK_CPU || type > POWER_LOCK_DISPLAY_DIM, DEVICE_ERROR_INVALID_PARAMETER,
                 "unknown lock %d", type);
    return JournalStore::append("power", "unlock", std::to_string(type)) ? DEVICE_ERROR_NONE
                                                                         : DEVICE_ERROR_OPERATION_FAILED;
}

extern "C" int feedback_initialize(void) {
    ++feedbackUsers();
    return FEEDBACK_ERROR_NONE;
}

extern "C" int feedback_deinitialize(void) {
    int users = feedbackUsers().load();
    while (users > 0 && !feedbackUsers().compare_exchange_weak(users, users - 1)) {
    }
    PLAT_RETV_IF(users <= 0, FEEDBACK_ERROR_NOT_INITIALIZED, "feedback is not initialized");
    return FEEDBACK_ERROR_NONE;
}

extern "C" int feedback_play_type(feedback_type_e type, feedback_pattern_e pattern) {
    PLAT_RETV_IF(feedbackUsers().load() <= 0, FEEDBACK_ERROR_NOT_INITIALIZED, "feedback is not initialized");
    PLAT_RETV_IF(type < FEEDBACK_TYPE_NONE || type > FEEDBACK_TYPE_VIBRATION,
                 FEEDBACK_ERROR_INVALID_PARAMETER, "unknown type %d", type);
    bool known = (pattern > FEEDBACK_PATTERN_NONE && pattern < FEEDBACK_PATTERN_MAX) ||
                 pattern == FEEDBACK_PATTERN_LIST_LONG_PRESS || pattern == FEEDBACK_PATTERN_TYPE_SWITCH;
    PLAT_RETV_IF(!known, FEEDBACK_ERROR_INVALID_PARAMETER, "unknown pattern %d", pattern);
    return JournalStore::append("feedback", feedbackTypeName(type), std::to_string(pattern))
               ? FEEDBACK_ERROR_NONE
               : FEEDBACK_ERROR_OPERATION_FAILED;
}

extern "C" int feedback_play(feedback_pattern_e pattern) {
    return feedback_play_type(FEEDBACK_TYPE_NONE, pattern);
}
