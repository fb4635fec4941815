#include "system_settings.h"

#include "log/PlatformLog.h"
#include "vconf.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

struct KeyInfo {
    const char* vconfKey;
    bool isString;
};

const KeyInfo* keyInfo(system_settings_key_e key) {
    static const KeyInfo fontSize{"db/setting/accessibility/font_size", false};
    static const KeyInfo fontType{"db/setting/accessibility/font_name", true};
    switch (key) {
    case SYSTEM_SETTINGS_KEY_FONT_SIZE:
        return &fontSize;
    case SYSTEM_SETTINGS_KEY_FONT_TYPE:
        return &fontType;
    }
    return nullptr;
}

struct Watch {
    system_settings_changed_cb cb;
    void* userData;
};

std::map<int, Watch>& watches() {
    static std::map<int, Watch> map;
    return map;
}

void keyChangedCb(keynode_t* node, void* data) {
    auto key = static_cast<system_settings_key_e>(reinterpret_cast<intptr_t>(data));
    auto it = watches().find(key);
    if (it != watches().end() && node)
        it->second.cb(key, it->second.userData);
}

int fromVconf(int error) {
    if (error == VCONF_OK)
        return SYSTEM_SETTINGS_ERROR_NONE;
    return error == VCONF_ERROR ? SYSTEM_SETTINGS_ERROR_IO_ERROR : SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER;
}

} // namespace

extern "C" int system_settings_get_value_int(system_settings_key_e key, int* value) {
    const KeyInfo* info = keyInfo(key);
    PLAT_RETV_IF(!info || info->isString || !value, SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER,
                 "bad key or value");
    return fromVconf(vconf_get_int(info->vconfKey, value));
}

extern "C" int system_settings_get_value_string(system_settings_key_e key, char** value) {
    const KeyInfo* info = keyInfo(key);
    PLAT_RETV_IF(!info || !info->isString || !value, SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER,
                 "bad key or value");
    char* text = vconf_get_str(info->vconfKey);
    PLAT_RETV_IF(!text, SYSTEM_SETTINGS_ERROR_IO_ERROR, "cannot read %s", info->vconfKey);
    *value = text;
    return SYSTEM_SETTINGS_ERROR_NONE;
}

extern "C" int system_settings_set_value_int(system_settings_key_e key, int value) {
    const KeyInfo* info = keyInfo(key);
    PLAT_RETV_IF(!info || info->isString, SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER, "bad key");
    PLAT_RETV_IF(key == SYSTEM_SETTINGS_KEY_FONT_SIZE &&
                     (value < SYSTEM_SETTINGS_FONT_SIZE_SMALL || value > SYSTEM_SETTINGS_FONT_SIZE_GIANT),
                 SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER, "font size %d out of range", value);
    return fromVconf(vconf_set_int(info->vconfKey, value));
}

extern "C" int system_settings_set_value_string(system_settings_key_e key, const char* value) {
    const KeyInfo* info = keyInfo(key);
    PLAT_RETV_IF(!info || !info->isString || !value || !*value, SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER,
                 "bad key or value");
    return fromVconf(vconf_set_str(info->vconfKey, value));
}

extern "C" int system_settings_set_changed_cb(system_settings_key_e key, system_settings_changed_cb callback,
                                              void* user_data) {
    const KeyInfo* info = keyInfo(key);
    PLAT_RETV_IF(!info || !callback, SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER, "bad key or callback");
    void* tag = reinterpret_cast<void*>(static_cast<intptr_t>(key));
    if (!watches().count(key)) {
        int error = vconf_notify_key_changed(info->vconfKey, keyChangedCb, tag);
        if (error != VCONF_OK)
            return fromVconf(error);
    }
    watches()[key] = {callback, user_data};
    return SYSTEM_SETTINGS_ERROR_NONE;
}

extern "C" int system_settings_unset_changed_cb(system_settings_key_e key) {
    const KeyInfo* info = keyInfo(key);
    PLAT_RETV_IF(!info || !watches().count(key), SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER,
                 "no callback for key");
    watches().erase(key);
    vconf_ignore_key_changed(info->vconfKey, keyChangedCb);
    return SYSTEM_SETTINGS_ERROR_NONE;
}
