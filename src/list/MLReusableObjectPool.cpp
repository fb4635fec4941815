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
    if (!elm_image_file_set(image, common_util::get_image_edj().c_str(), BADGE_GROUP))
        MSG_LOGE("no badge image in %s", common_util::get_image_edj().c_str());
    return image;
}

// A pooled image deleted behind the pool's back (its parent died) must never be handed out.
void MLReusableObjectPool::_objectDelCb(void* data, Evas* /*evas*/, Evas_Object* obj, void* /*eventInfo*/) {
    auto* pool = static_cast<MLReusableObjectPool*>(data);
    for (auto& [group, objects] : pool->_pools)
        objects.erase(std::remove(objects.begin(), objects.end(), obj), objects.end());
}

void MLReusableObjectPool::_push(const std::string& group, Evas_Object* obj) {
    evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
    _pools[group].push_back(obj);
}

// An image given back by a row no longer belongs to the list widget but to the window, so it would
// outlive the list: the pool deletes what it holds, none of which is shown.
MLReusableObjectPool::~MLReusableObjectPool() {
    for (auto& [group, objects] : _pools) {
        for (Evas_Object* obj : objects) {
            evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
            evas_object_del(obj);
        }
    }
}

size_t MLReusableObjectPool::getSize(const char* group) const {
    auto found = _pools.find(group);
    return found == _pools.end() ? 0 : found->second.size();
}

void MLReusableObjectPool::init(Evas_Object* parent) {
    MSG_RET_IF(!parent, "parent is null");
    while (getSize() < INIT_SIZE) {
        Evas_Object* image = createBadge(parent);
        if (!image) {
            MSG_LOGE("memory full");
            return;
        }
        _push(BADGE_GROUP, image);
    }
}

Evas_Object* MLReusableObjectPool::getObject(const char* group) {
    auto found = group ? _pools.find(group) : _pools.end();
    if (found == _pools.end() || found->second.empty()) {
        MSG_LOGD("no %s in the pool", group ? group : "image"); // expected until one is given back
        return nullptr;
    }
    Evas_Object* obj = found->second.back();
    found->second.pop_back();
    evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
    return obj;
}

bool MLReusableObjectPool::setObject(Evas_Object* obj) {
    MSG_RETV_IF(!obj, false, "obj is null");
    // Rows give their images back as the list goes too; the pool may already be gone.
    if (!_instance)
        return false;
    const char* group = nullptr;
    elm_image_file_get(obj, nullptr, &group);
    MSG_RETV_IF(!group || !*group, false, "not an image of the image theme");
    _instance->_push(group, obj);
    MSG_LOGD("_pool size(%d) of %s", static_cast<int>(_instance->getSize(group)), group);
    return true;
}

} // namespace msg_list
} // namespace msg_app
