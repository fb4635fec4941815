#include "ScreenInspector.h"

#include "ScreenSnapshot.h"
#include "common/MsgLog.h"
#include "message_port.h"

#include <cstdlib>

namespace msg_app {
namespace shell {

bool ScreenInspector::requested() {
    const char* value = std::getenv("MSG_INSPECT");
    return value && *value && std::string(value) != "0";
}

ScreenInspector::ScreenInspector(Evas_Object* window, std::function<std::string()> appState)
    : _window(window), _appState(std::move(appState)) {
    int id = message_port_register_local_port(PORT, _messageCb, this);
    if (id < 0)
        MSG_LOGE("cannot listen on port %s (%d)", PORT, id);
    else
        _portId = id;
}

ScreenInspector::~ScreenInspector() {
    if (_portId > 0)
        message_port_unregister_local_port(_portId);
}

std::string ScreenInspector::answer() const {
    return ScreenSnapshot(_window).toJson(_appState ? _appState() : "");
}

void ScreenInspector::_messageCb(int, const char* remoteAppId, const char*, bool, bundle* message,
                                 void* data) {
    auto* self = static_cast<ScreenInspector*>(data);
    char* token = nullptr;
    MSG_RET_IF(!remoteAppId || bundle_get_str(message, "token", &token) != BUNDLE_ERROR_NONE || !token,
               "an inspection request without a token");
    bundle* reply = bundle_create();
    MSG_RET_IF(!reply, "bundle_create failed");
    bundle_add_str(reply, "token", token);
    bundle_add_str(reply, "screen", self->answer().c_str());
    int result = message_port_send_message(remoteAppId, ANSWER_PORT, reply);
    if (result != MESSAGE_PORT_ERROR_NONE)
        MSG_LOGE("the inspection answer to %s was not sent (%d)", remoteAppId, result);
    bundle_free(reply);
}

} // namespace shell
} // namespace msg_app
