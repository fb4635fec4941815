#include "common/view/MCommonPushWatch.h"

#include "common/MsgLog.h"

#include <utility>

namespace msg_app {

namespace {
constexpr const char* TRANSITION_FINISHED = "transition,finished";
} // namespace

MCommonPushWatch::~MCommonPushWatch() {
    stop();
}

bool MCommonPushWatch::watch(Elm_Object_Item* naviItem, FinishedCb onFinished) {
    stop();
    MSG_RETV_IF(!naviItem, false, "naviItem is nullptr");
    _naviframe = elm_object_item_widget_get(naviItem);
    MSG_RETV_IF(!_naviframe, false, "naviItem has no naviframe");
    _naviItem = naviItem;
    _onFinished = std::move(onFinished);
    evas_object_smart_callback_add(_naviframe, TRANSITION_FINISHED, _transitionFinishedCb, this);
    evas_object_event_callback_add(_naviframe, EVAS_CALLBACK_DEL, _naviframeDelCb, this);
    return true;
}

void MCommonPushWatch::stop() {
    if (!_naviframe)
        return;
    evas_object_smart_callback_del_full(_naviframe, TRANSITION_FINISHED, _transitionFinishedCb, this);
    evas_object_event_callback_del_full(_naviframe, EVAS_CALLBACK_DEL, _naviframeDelCb, this);
    _naviframe = nullptr;
    _naviItem = nullptr;
}

void MCommonPushWatch::_transitionFinishedCb(void* data, Evas_Object* /*obj*/, void* eventInfo) {
    auto* self = static_cast<MCommonPushWatch*>(data);
    if (eventInfo != self->_naviItem)
        return;
    self->stop();
    // The owner may start another watch, or go, from its callback.
    FinishedCb onFinished = std::move(self->_onFinished);
    if (onFinished)
        onFinished();
}

void MCommonPushWatch::_naviframeDelCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MCommonPushWatch*>(data)->stop();
}

} // namespace msg_app
