#ifndef VIEW_KIT_WSIGNAL_H
#define VIEW_KIT_WSIGNAL_H

#include "log/PlatformLog.h"
#include "view_kit/WSignalIdGenerator.h"

#include <Evas.h>

#include <functional>
#include <list>
#include <map>
#include <memory>

namespace view_kit {

template <typename Signature> class WSignal;

// The typed event source of a view object. Listeners run in the order they
// were added (ascending ids). One added during an emission first hears the
// next emission; one removed during an emission is not called after that.
// A listener bound to an Evas object goes away with the object.
template <typename R, typename... Args> class WSignal<R(Args...)> {
public:
    using Callback = std::function<R(Args...)>;

    struct ListenerInfo {
        Callback callback;
        Evas_Object* boundObject;
        bool removed;
        unsigned int id;
        WSignal* signal;
    };

    WSignal() = default;
    WSignal(const WSignal&) = delete;
    WSignal& operator=(const WSignal&) = delete;

    virtual ~WSignal() {
        *_alive = false;
        for (auto& entry : _listeners)
            _release(entry.second);
        for (ListenerInfo* info : _pending)
            _release(info);
    }

    // Returns the new listener's id; an empty callback is refused with 0.
    unsigned int addListener(Callback callback, Evas_Object* boundObject = nullptr) {
        PLAT_RETV_IF(!callback, 0u, "callback is empty");
        unsigned int id = WSignalIdGenerator::generate();
        auto* info = new ListenerInfo{std::move(callback), boundObject, false, id, this};
        // Watched at once, so that a bound object deleted before the listener
        // joins the map cannot leave it a dangling pointer.
        _watch(info);
        if (_emitDepth > 0)
            _pending.push_back(info);
        else
            _listeners[id] = info;
        return id;
    }

    void removeListener(unsigned int id) {
        if (id == 0)
            return;
        auto found = _listeners.find(id);
        if (found == _listeners.end()) {
            // Added during the running emission and not yet in the map.
            for (ListenerInfo* info : _pending) {
                if (info->id == id && !info->removed) {
                    _unwatch(info);
                    info->removed = true;
                    return;
                }
            }
            PLAT_LOGE("* Critical * Already removed listener! = %u", id);
            return;
        }
        ListenerInfo* info = found->second;
        _unwatch(info);
        if (_emitDepth > 0) {
            info->removed = true;
        } else {
            _listeners.erase(found);
            delete info;
        }
    }

    void emit(Args... args) {
        std::shared_ptr<bool> alive = _alive;
        ++_emitDepth;
        onEmit(args...);
        // A listener may have deleted the signal's owner, and the signal.
        if (!*alive)
            return;
        if (--_emitDepth == 0)
            _settle();
    }

protected:
    virtual void onEmit(Args... args) {
        std::shared_ptr<bool> alive = _alive;
        for (auto& entry : _listeners) {
            ListenerInfo* info = entry.second;
            if (info->removed)
                continue;
            info->callback(args...);
            if (!*alive)
                return;
        }
    }

private:
    void _settle() {
        for (auto it = _listeners.begin(); it != _listeners.end();) {
            if (it->second->removed) {
                delete it->second;
                it = _listeners.erase(it);
            } else {
                ++it;
            }
        }
        std::list<ListenerInfo*> pending;
        pending.swap(_pending);
        for (ListenerInfo* info : pending) {
            if (info->removed) {
                delete info;
                continue;
            }
            auto found = _listeners.find(info->id);
            if (found != _listeners.end())
                _release(found->second);
            _listeners[info->id] = info;
        }
    }

    void _watch(ListenerInfo* info) {
        if (info->boundObject)
            evas_object_event_callback_add(info->boundObject, EVAS_CALLBACK_DEL, _boundObjectDelCb, info);
    }

    void _unwatch(ListenerInfo* info) {
        if (info->boundObject)
            evas_object_event_callback_del_full(info->boundObject, EVAS_CALLBACK_DEL, _boundObjectDelCb,
                                                info);
        info->boundObject = nullptr;
    }

    void _release(ListenerInfo* info) {
        _unwatch(info);
        delete info;
    }

    static void _boundObjectDelCb(void* data, Evas*, Evas_Object*, void*) {
        auto* info = static_cast<ListenerInfo*>(data);
        info->signal->removeListener(info->id);
    }

    std::map<unsigned int, ListenerInfo*> _listeners;
    std::list<ListenerInfo*> _pending;
    int _emitDepth = 0;
    std::shared_ptr<bool> _alive = std::make_shared<bool>(true);
};

} // namespace view_kit

#endif
