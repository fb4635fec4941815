#include "list/MLReusableObjectPool.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"

#include <Elementary.h>

#include <algorithm>

namespace msg_app {
namespace msg_list {

MLReusableObjectPool* MLReusableObjectPool::_instance = nullptr;

MLReusableObjectPool* MLReusableObjectPool::getInstance() {
    if (!_instance) {
        _instance = new MLReusableObjectPool();
        singleton_release::add(destroy);
    }
    return _instance;
}

void MLReusableObjectPool::destroy() {
    delete _instance;
    _instance = nullptr;
}

Evas_Object* MLReusableObjectPool::createBadge(Evas_Object* parent) {
    Evas_Object* image = elm_image_add(parent);
    if (!image)
        return nullptr;
    if (!elm_image_file_set(image, common_util::get_image_edj().c_str(), "img/list/noti1"))
        MSG_LOGE("no badge image in %s", common_util::get_image_edj().c_str());
    return image;
}

// A pooled badge deleted behind the pool's back (its parent died) must never be handed out.
void MLReusableObjectPool::_objectDelCb(void* data, Evas* /*evas*/, Evas_Object* obj, void* /*eventInfo*/) {
    auto* pool = static_cast<MLReusableObjectPool*>(data);
    pool->_pool.erase(std::remove(pool->_pool.begin(), pool->_pool.end(), obj), pool->_pool.end());
}

void MLReusableObjectPool::_push(Evas_Object* obj) {
    evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
    _pool.push_back(obj);
}

// A badge given back by a row no longer belongs to the list widget but to the window, so it would
// outlive the list: the pool deletes what it holds, none of which is shown.
MLReusableObjectPool::~MLReusableObjectPool() {
    for (Evas_Object* obj : _pool) {
        evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
        evas_object_del(obj);
    }
}

void MLReusableObjectPool::init(Evas_Object* parent) {
    MSG_RET_IF(!parent, "parent is null");
    while (_pool.size() < INIT_SIZE) {
        Evas_Object* image = createBadge(parent);
        if (!image) {
            MSG_LOGE("memory full");
            return;
        }
        _push(image);
    }
}

Evas_Object* MLReusableObjectPool::getObject() {
    if (_pool.empty()) {
        MSG_LOGD("pool is empty"); // expected until the first idle fills it
        return nullptr;
    }
    Evas_Object* obj = _pool.back();
    _pool.pop_back();
    evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
    return obj;
}

bool MLReusableObjectPool::setObject(Evas_Object* obj) {
    MSG_RETV_IF(!obj, false, "obj is null");
    MSG_RETV_IF(!_instance, false, "_instance is null");
    _instance->_push(obj);
    MSG_LOGD("_pool size(%d)", static_cast<int>(_instance->_pool.size()));
    return true;
}

} // namespace msg_list
} // namespace msg_app
