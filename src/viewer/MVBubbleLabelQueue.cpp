#include "viewer/MVBubbleLabelQueue.h"

#include "common/MsgLog.h"
#include "viewer/MVItem/MVItemBubble.h"

#include <algorithm>
#include <utility>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* QUEUE_KEY = "msg.viewer.label_queue";

Evas_Smart* hookSmart(void (*calculate)(Evas_Object*)) {
    static Evas_Smart_Class sc = EVAS_SMART_CLASS_INIT_NAME_VERSION("MVBubbleLabelHook");
    static Evas_Smart* smart = nullptr;
    if (!smart) {
        sc.calculate = calculate;
        smart = evas_smart_class_new(&sc);
    }
    return smart;
}

} // namespace

MVBubbleLabelQueue::MVBubbleLabelQueue(Evas_Object* genlist, std::function<MVItemBubble*(int msgId)> find)
    : _genlist(genlist), _find(std::move(find)) {
    MSG_RET_IF(!_genlist, "no genlist");
    _hook = evas_object_smart_add(evas_object_evas_get(_genlist), hookSmart(_calculateCb));
    evas_object_data_set(_hook, QUEUE_KEY, this);
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
}

MVBubbleLabelQueue::~MVBubbleLabelQueue() {
    if (!_genlist)
        return;
    evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
    evas_object_del(_hook);
}

void MVBubbleLabelQueue::add(int msgId) {
    if (!_hook)
        return;
    if (std::find(_pending.begin(), _pending.end(), msgId) == _pending.end())
        _pending.push_back(msgId);
    // Flagged during the genlist's own calculation, the hook is calculated after it in the same
    // pass; flagged outside one, in the next frame's, before that frame is drawn.
    evas_object_smart_need_recalculate_set(_hook, EINA_TRUE);
}

void MVBubbleLabelQueue::_flush() {
    // A bubble built now may realize others (its row grows): they are queued for the next pass.
    std::vector<int> pending;
    pending.swap(_pending);
    for (int msgId : pending)
        if (MVItemBubble* bubble = _find(msgId))
            bubble->realized();
}

void MVBubbleLabelQueue::_calculateCb(Evas_Object* hook) {
    if (auto* self = static_cast<MVBubbleLabelQueue*>(evas_object_data_get(hook, QUEUE_KEY)))
        self->_flush();
}

void MVBubbleLabelQueue::_genlistDelCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MVBubbleLabelQueue*>(data);
    evas_object_del(self->_hook);
    self->_hook = nullptr;
    self->_genlist = nullptr;
    self->_pending.clear();
}

} // namespace msg_viewer
} // namespace msg_app
