#include "common/ui/MCommonRotaryActivateMgr.h"

#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "efl_extension.h"

#include <algorithm>

namespace msg_app {

MCommonRotaryActivateMgr::Item::Item(Evas_Object* rotaryObj) : _rotaryObj(rotaryObj) {}

MCommonRotaryActivateMgr::Item::~Item() {
    if (_rotaryObj)
        evas_object_event_callback_del_full(_rotaryObj, EVAS_CALLBACK_DEL, _objDelCb, this);
    if (_onDestroy)
        _onDestroy();
    MCommonRotaryActivateMgr::getInstance()->_remove(this);
}

bool MCommonRotaryActivateMgr::Item::regist(bool activate) {
    MSG_RETV_IF(!_rotaryObj, false, "_rotaryObj is NULL.");
    MCommonRotaryActivateMgr* mgr = MCommonRotaryActivateMgr::getInstance();
    MSG_RETV_IF(mgr->contains(this), false, "Already exist.");
    evas_object_event_callback_add(_rotaryObj, EVAS_CALLBACK_DEL, _objDelCb, this);
    return mgr->_add(this, activate);
}

bool MCommonRotaryActivateMgr::Item::_activate(bool activate) {
    if (!_rotaryObj)
        return false;
    eext_rotary_object_event_activated_set(_rotaryObj, activate ? EINA_TRUE : EINA_FALSE);
    return true;
}

void MCommonRotaryActivateMgr::Item::_objDelCb(void* data, Evas*, Evas_Object*, void*) {
    auto* item = static_cast<Item*>(data);
    // The object is going: nothing may touch it from here on.
    item->_rotaryObj = nullptr;
    delete item;
}

MCommonRotaryActivateMgr* MCommonRotaryActivateMgr::_instance = nullptr;

MCommonRotaryActivateMgr* MCommonRotaryActivateMgr::getInstance() {
    if (!_instance) {
        _instance = new MCommonRotaryActivateMgr();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCommonRotaryActivateMgr::_destroy() {
    delete _instance;
    _instance = nullptr;
}

bool MCommonRotaryActivateMgr::_add(Item* item, bool activate) {
    _items.push_back(item);
    return setActivate(activate);
}

void MCommonRotaryActivateMgr::_remove(Item* item) {
    if (_activeItem == item) {
        // An item leaving with its object alive takes its bezel rights along.
        item->_activate(false);
        _activeItem = nullptr;
    }
    auto it = std::find(_items.begin(), _items.end(), item);
    if (it == _items.end()) {
        MSG_LOGW("Not found item(%p)", static_cast<void*>(item));
        return;
    }
    _items.erase(it);
    if (!_items.empty())
        setActivate(true);
}

bool MCommonRotaryActivateMgr::setActivate(bool activate) {
    MSG_RETV_IF(_items.empty(), false, "_items is empty.");
    Item* top = _items.back();
    MSG_RETV_IF(!top, false, "topItem is NULL.");
    if (_activeItem) {
        _activeItem->_activate(false);
        _activeItem = nullptr;
    }
    if (!activate)
        return true;
    MSG_RETV_IF(!top->_activate(true), false, "topItem->_activate() failed.");
    _activeItem = top;
    return true;
}

bool MCommonRotaryActivateMgr::isTop(const Item* item) const {
    return item && !_items.empty() && _items.back() == item;
}

bool MCommonRotaryActivateMgr::contains(const Item* item) const {
    return item && std::find(_items.begin(), _items.end(), item) != _items.end();
}

} // namespace msg_app
