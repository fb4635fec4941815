#include "common/ui/MCommonFont.h"

#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"

#include <Edje.h>
#include <cstdlib>

namespace msg_app {

MCommonFont* MCommonFont::_instance = nullptr;

MCommonFont* MCommonFont::getInstance() {
    if (!_instance) {
        _instance = new MCommonFont();
        singleton_release::add(destroy);
    }
    return _instance;
}

void MCommonFont::destroy() {
    delete _instance;
    _instance = nullptr;
}

MCommonFont::MCommonFont() {
    int ret = system_settings_set_changed_cb(SYSTEM_SETTINGS_KEY_FONT_TYPE, _fontTypeChangedCb, this);
    if (ret != SYSTEM_SETTINGS_ERROR_NONE)
        MSG_LOGE("system_settings_set_changed_cb(SYSTEM_SETTINGS_KEY_FONT_TYPE) fail : %d", ret);
    ret = system_settings_set_changed_cb(SYSTEM_SETTINGS_KEY_FONT_SIZE, _fontSizeChangedCb, this);
    if (ret != SYSTEM_SETTINGS_ERROR_NONE)
        MSG_LOGE("system_settings_set_changed_cb(SYSTEM_SETTINGS_KEY_FONT_SIZE) fail : %d", ret);
}

MCommonFont::~MCommonFont() {
    system_settings_unset_changed_cb(SYSTEM_SETTINGS_KEY_FONT_TYPE);
    system_settings_unset_changed_cb(SYSTEM_SETTINGS_KEY_FONT_SIZE);
}

void MCommonFont::init() {
    getName();
    getSize();
}

const std::string& MCommonFont::getName() {
    if (_name.empty()) {
        char* name = nullptr;
        if (system_settings_get_value_string(SYSTEM_SETTINGS_KEY_FONT_TYPE, &name) !=
                SYSTEM_SETTINGS_ERROR_NONE ||
            !name)
            MSG_LOGE("getting SYSTEM_SETTINGS_KEY_FONT_TYPE failed");
        else
            _name = name;
        std::free(name);
    }
    return _name;
}

MCommonFont::Size MCommonFont::getSize() {
    if (_size != SIZE_NONE)
        return _size;
    int value = 0;
    if (system_settings_get_value_int(SYSTEM_SETTINGS_KEY_FONT_SIZE, &value) != SYSTEM_SETTINGS_ERROR_NONE) {
        MSG_LOGE("getting SYSTEM_SETTINGS_KEY_FONT_SIZE failed");
        return SIZE_NONE;
    }
    switch (value) {
    case SYSTEM_SETTINGS_FONT_SIZE_SMALL:
        _size = SIZE_SMALL;
        break;
    case SYSTEM_SETTINGS_FONT_SIZE_NORMAL:
        _size = SIZE_NORMAL;
        break;
    case SYSTEM_SETTINGS_FONT_SIZE_LARGE:
        _size = SIZE_LARGE;
        break;
    default:
        MSG_LOGE("invalid font size [%d]", value);
        _size = SIZE_NORMAL;
        break;
    }
    return _size;
}

int MCommonFont::getScale(Size size) {
    switch (size) {
    case SIZE_SMALL:
        return -80;
    case SIZE_LARGE:
        return -120;
    case SIZE_HUGE:
        return -140;
    default:
        return -100;
    }
}

bool MCommonFont::setStyle(const char* textClass, Size size) {
    MSG_RETV_IF(!textClass, false, "textClass is null");
    if (size == SIZE_NONE)
        size = getSize();
    MSG_RETV_IF(size == SIZE_NONE, false, "size is none !!");
    const std::string& name = getName();
    MSG_RETV_IF(name.empty(), false, "name is null!!");
    return edje_text_class_set(textClass, name.c_str(), getScale(size));
}

void MCommonFont::_fontTypeChangedCb(system_settings_key_e, void* userData) {
    MSG_RET_IF(!userData, "userData is null");
    auto* self = static_cast<MCommonFont*>(userData);
    self->_name.clear();
    self->getName();
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_FONT_CHANGED);
}

void MCommonFont::_fontSizeChangedCb(system_settings_key_e, void* userData) {
    MSG_RET_IF(!userData, "userData is null");
    auto* self = static_cast<MCommonFont*>(userData);
    self->_size = SIZE_NONE;
    self->getSize();
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_FONT_CHANGED);
}

} // namespace msg_app
