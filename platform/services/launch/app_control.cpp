#include "app_control.h"

#include "AppControl.h"
#include "AppRegistry.h"
#include "LaunchJournal.h"
#include "Launcher.h"
#include "RunningApps.h"
#include "device/ChangeFeed.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <Ecore.h>

#include <cstdlib>
#include <cstring>
#include <glib.h>
#include <map>
#include <unistd.h>

using msg_services::AppInfo;
using msg_services::AppRegistry;
using msg_services::LaunchEntry;
using msg_services::Launcher;
using msg_services::LaunchJournal;
using msg_services::RunningApps;

namespace {

struct PendingReply {
    app_control_h request;
    app_control_reply_cb callback;
    void* userData;
    msg_device::Device* device;
    uint64_t subscription;
};

// Main loop only, like the feed that delivers the replies.
std::map<int64_t, PendingReply>& pendingReplies() {
    static std::map<int64_t, PendingReply> map;
    return map;
}

struct ReceivedRequest {
    bool read = false;
    std::string json;
    int64_t exitRecordId = 0; // the journal entry whose process's exit is still to be recorded
    app_control_terminate_cb terminate = nullptr;
    void* terminateData = nullptr;
    msg_device::Device* device = nullptr;
    uint64_t subscription = 0;
};

// This process as its application's one instance.
struct Instance {
    app_control_relaunch_cb handler = nullptr;
    void* userData = nullptr;
    std::string appId;
    msg_device::Device* device = nullptr;
    uint64_t subscription = 0;
};

Instance& instance() {
    static Instance* own = new Instance();
    return *own;
}

ReceivedRequest& received() {
    static ReceivedRequest* request = new ReceivedRequest();
    return *request;
}

void forgetPending(int64_t id) {
    auto it = pendingReplies().find(id);
    if (it == pendingReplies().end())
        return;
    if (it->second.device == msg_device::Device::getDefault())
        it->second.device->feed().unsubscribe(it->second.subscription);
    pendingReplies().erase(it);
}

int checkField(const char* value) {
    PLAT_RETV_IF(value && std::strlen(value) > APP_CONTROL_FIELD_MAX, APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "value is too long");
    PLAT_RETV_IF(value && !g_utf8_validate(value, -1, nullptr), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "value is not UTF-8");
    return APP_CONTROL_ERROR_NONE;
}

int setField(app_control_h h, std::string app_control_s::*field, const char* value) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(h), APP_CONTROL_ERROR_INVALID_PARAMETER, "invalid handle");
    if (int error = checkField(value))
        return error;
    h->*field = value ? value : "";
    return APP_CONTROL_ERROR_NONE;
}

int getField(app_control_h h, const std::string app_control_s::*field, char** value) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(h) || !value, APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle or output");
    *value = (h->*field).empty() ? nullptr : strdup((h->*field).c_str());
    return APP_CONTROL_ERROR_NONE;
}

int fromBundle(int error) {
    switch (error) {
    case BUNDLE_ERROR_NONE:
        return APP_CONTROL_ERROR_NONE;
    case BUNDLE_ERROR_KEY_NOT_AVAILABLE:
        return APP_CONTROL_ERROR_KEY_NOT_FOUND;
    case BUNDLE_ERROR_OUT_OF_MEMORY:
        return APP_CONTROL_ERROR_OUT_OF_MEMORY;
    default:
        return APP_CONTROL_ERROR_INVALID_PARAMETER;
    }
}

// The application a request goes to: its named target, else the first that handles it.
bool resolveTarget(app_control_h h, AppInfo& out) {
    if (!h->appId.empty())
        return AppRegistry::find(h->appId, out) && out.enabled;
    std::string operation = h->operation.empty() ? APP_CONTROL_OPERATION_DEFAULT : h->operation;
    auto matched = AppRegistry::matching(operation, h->uri);
    if (matched.empty())
        return false;
    out = matched.front();
    return true;
}

app_control_h newHandle() {
    auto* h = new app_control_s();
    msg_services::registerAppControl(h);
    return h;
}

void replyArrivedCb(int64_t id, const msg_device::Change& change) {
    auto it = pendingReplies().find(id);
    if (it == pendingReplies().end())
        return;
    PendingReply pending = it->second;
    forgetPending(id);
    size_t newline = change.payload.find('\n');
    int result = std::atoi(change.payload.substr(0, newline).c_str());
    app_control_h reply = newHandle();
    if (newline == std::string::npos ||
        !msg_services::appControlFromJson(change.payload.substr(newline + 1), *reply))
        PLAT_LOGW("reply to launch %lld carries no data", static_cast<long long>(id));
    if (msg_services::isLiveAppControl(pending.request) && pending.callback)
        pending.callback(pending.request, reply, static_cast<app_control_result_e>(result), pending.userData);
    app_control_destroy(reply);
}

void terminateRequestedCb(const msg_device::Change&) {
    ReceivedRequest& request = received();
    PLAT_LOGI("terminate requested");
    if (request.terminate)
        request.terminate(request.terminateData);
    else
        ecore_main_loop_quit();
}

// A terminate request that came before this process watched for one.
void earlyTerminateJobCb(void*) {
    terminateRequestedCb(msg_device::Change{});
}

} // namespace

extern "C" int app_control_create(app_control_h* app_control) {
    PLAT_RETV_IF(!app_control, APP_CONTROL_ERROR_INVALID_PARAMETER, "app_control is null");
    *app_control = newHandle();
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_destroy(app_control_h app_control) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle");
    for (auto it = pendingReplies().begin(); it != pendingReplies().end();) {
        int64_t id = it->first;
        ++it;
        if (pendingReplies()[id].request == app_control)
            forgetPending(id);
    }
    msg_services::unregisterAppControl(app_control);
    delete app_control;
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_clone(app_control_h* clone, app_control_h app_control) {
    PLAT_RETV_IF(!clone || !msg_services::isLiveAppControl(app_control), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle or output");
    app_control_h copy = newHandle();
    *copy = *app_control;
    // A clone is a new request: the launch of the original stays the original's.
    copy->launchedId = 0;
    *clone = copy;
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_set_operation(app_control_h app_control, const char* operation) {
    return setField(app_control, &app_control_s::operation, operation);
}

extern "C" int app_control_get_operation(app_control_h app_control, char** operation) {
    return getField(app_control, &app_control_s::operation, operation);
}

extern "C" int app_control_set_uri(app_control_h app_control, const char* uri) {
    return setField(app_control, &app_control_s::uri, uri);
}

extern "C" int app_control_get_uri(app_control_h app_control, char** uri) {
    return getField(app_control, &app_control_s::uri, uri);
}

extern "C" int app_control_set_mime(app_control_h app_control, const char* mime) {
    return setField(app_control, &app_control_s::mime, mime);
}

extern "C" int app_control_get_mime(app_control_h app_control, char** mime) {
    return getField(app_control, &app_control_s::mime, mime);
}

extern "C" int app_control_set_app_id(app_control_h app_control, const char* app_id) {
    return setField(app_control, &app_control_s::appId, app_id);
}

extern "C" int app_control_get_app_id(app_control_h app_control, char** app_id) {
    return getField(app_control, &app_control_s::appId, app_id);
}

extern "C" int app_control_set_launch_mode(app_control_h app_control, app_control_launch_mode_e mode) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle");
    PLAT_RETV_IF(mode != APP_CONTROL_LAUNCH_MODE_SINGLE && mode != APP_CONTROL_LAUNCH_MODE_GROUP,
                 APP_CONTROL_ERROR_INVALID_PARAMETER, "unknown launch mode %d", mode);
    app_control->launchMode = mode;
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_get_launch_mode(app_control_h app_control, app_control_launch_mode_e* mode) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control) || !mode, APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle or output");
    *mode = app_control->launchMode;
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_add_extra_data(app_control_h app_control, const char* key, const char* value) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle");
    if (int error = msg_services::checkBundleKey(key))
        return fromBundle(error);
    if (int error = msg_services::checkBundleValue(value))
        return fromBundle(error);
    bundle* extras = &app_control->extras;
    bundle_del(extras, key);
    return fromBundle(bundle_add_str(extras, key, value));
}

extern "C" int app_control_add_extra_data_array(app_control_h app_control, const char* key,
                                                const char* value[], int length) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle");
    if (int error = msg_services::checkBundleKey(key))
        return fromBundle(error);
    // Checked on a scratch bundle, so that a bad array leaves the old value in place.
    _bundle_t scratch;
    if (int error = bundle_add_str_array(&scratch, key, value, length))
        return fromBundle(error);
    app_control->extras.entries[key] = std::move(scratch.entries[key]);
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_remove_extra_data(app_control_h app_control, const char* key) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control) || !key, APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle or key");
    return fromBundle(bundle_del(&app_control->extras, key));
}

extern "C" int app_control_get_extra_data(app_control_h app_control, const char* key, char** value) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control) || !key || !value,
                 APP_CONTROL_ERROR_INVALID_PARAMETER, "invalid handle, key or output");
    PLAT_RETV_IF(bundle_get_type(&app_control->extras, key) == BUNDLE_TYPE_STR_ARRAY,
                 APP_CONTROL_ERROR_INVALID_DATA_TYPE, "%s is an array", key);
    char* text = nullptr;
    int error = bundle_get_str(&app_control->extras, key, &text);
    if (error != BUNDLE_ERROR_NONE)
        return fromBundle(error);
    *value = strdup(text);
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_get_extra_data_array(app_control_h app_control, const char* key, char*** value,
                                                int* length) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control) || !key || !value || !length,
                 APP_CONTROL_ERROR_INVALID_PARAMETER, "invalid handle, key or output");
    int type = bundle_get_type(&app_control->extras, key);
    PLAT_RETV_IF(type == BUNDLE_TYPE_NONE, APP_CONTROL_ERROR_KEY_NOT_FOUND, "no %s", key);
    PLAT_RETV_IF(type != BUNDLE_TYPE_STR_ARRAY, APP_CONTROL_ERROR_INVALID_DATA_TYPE, "%s is not an array",
                 key);
    const auto& items = app_control->extras.entries[key].items;
    char** array = static_cast<char**>(std::calloc(items.size() + 1, sizeof(char*)));
    PLAT_RETV_IF(!array, APP_CONTROL_ERROR_OUT_OF_MEMORY, "out of memory");
    for (size_t i = 0; i < items.size(); ++i)
        array[i] = strdup(items[i].c_str());
    *value = array;
    *length = static_cast<int>(items.size());
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_is_extra_data_array(app_control_h app_control, const char* key, bool* array) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control) || !key || !array,
                 APP_CONTROL_ERROR_INVALID_PARAMETER, "invalid handle, key or output");
    int type = bundle_get_type(&app_control->extras, key);
    PLAT_RETV_IF(type == BUNDLE_TYPE_NONE, APP_CONTROL_ERROR_KEY_NOT_FOUND, "no %s", key);
    *array = type == BUNDLE_TYPE_STR_ARRAY;
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_foreach_extra_data(app_control_h app_control, app_control_extra_data_cb callback,
                                              void* user_data) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control) || !callback,
                 APP_CONTROL_ERROR_INVALID_PARAMETER, "invalid handle or callback");
    std::vector<std::string> keys;
    for (const auto& entry : app_control->extras.entries)
        keys.push_back(entry.first);
    for (const auto& key : keys) {
        if (!callback(app_control, key.c_str(), user_data))
            break;
    }
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_get_caller(app_control_h app_control, char** id) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control) || !id, APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle or output");
    PLAT_RETV_IF(app_control->caller.empty(), APP_CONTROL_ERROR_INVALID_PARAMETER, "not a received request");
    *id = strdup(app_control->caller.c_str());
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_foreach_app_matched(app_control_h app_control, app_control_app_matched_cb callback,
                                               void* user_data) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control) || !callback,
                 APP_CONTROL_ERROR_INVALID_PARAMETER, "invalid handle or callback");
    std::vector<AppInfo> apps;
    AppInfo target;
    if (!app_control->appId.empty()) {
        if (AppRegistry::find(app_control->appId, target) && target.enabled)
            apps.push_back(target);
    } else {
        std::string operation =
            app_control->operation.empty() ? APP_CONTROL_OPERATION_DEFAULT : app_control->operation;
        apps = AppRegistry::matching(operation, app_control->uri);
    }
    for (const auto& app : apps) {
        if (!callback(app_control, app.appId.c_str(), user_data))
            break;
    }
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_send_launch_request(app_control_h app_control, app_control_reply_cb callback,
                                               void* user_data) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle");
    PLAT_RETV_IF(app_control->appId.empty() && app_control->operation.empty(),
                 APP_CONTROL_ERROR_INVALID_PARAMETER, "neither an application nor an operation");
    // A device that cannot be written cannot journal the request: said so, not "no application".
    msg_device::Device* device = msg_device::Device::getDefault();
    if (device && device->readOnlyReason() != msg_device::Device::Failure::NONE) {
        PLAT_LOGE("%s: the launch request cannot be recorded",
                  device->describe(device->readOnlyReason()).c_str());
        return APP_CONTROL_ERROR_IO_ERROR;
    }
    AppInfo target;
    if (!resolveTarget(app_control, target)) {
        PLAT_LOGE("no application for %s%s", app_control->appId.c_str(), app_control->operation.c_str());
        return APP_CONTROL_ERROR_APP_NOT_FOUND;
    }

    app_control_s sent = *app_control;
    sent.caller = AppRegistry::currentAppId();
    sent.requestId = 0;
    LaunchEntry entry;
    entry.caller = sent.caller;
    entry.target = target.appId;
    entry.operation = app_control->operation;
    entry.uri = app_control->uri;
    entry.launchMode = app_control->launchMode;
    entry.request = msg_services::appControlToJson(sent);
    entry.status = "pending";
    entry.wantsReply = callback != nullptr;
    int64_t id = LaunchJournal::record(entry);
    PLAT_RETV_IF(id == 0, APP_CONTROL_ERROR_IO_ERROR, "cannot journal the launch");

    if (callback) {
        msg_device::Device* device = msg_device::Device::getDefault();
        uint64_t subscription = device ? device->feed().subscribe(LaunchJournal::replyTopic(id),
                                                                  [id](const msg_device::Change& change) {
                                                                      replyArrivedCb(id, change);
                                                                  })
                                       : 0;
        if (subscription == 0) {
            LaunchJournal::setOutcome(id, "failed", 0);
            PLAT_LOGE("cannot wait for a reply (no main loop?)");
            return APP_CONTROL_ERROR_LAUNCH_FAILED;
        }
        pendingReplies()[id] = {app_control, callback, user_data, device, subscription};
    }

    if (target.executable.empty()) {
        // An application of the device that we do not ship: the journal entry is all it gets.
        LaunchJournal::setOutcome(id, "journal only", 0);
    } else if (int running = RunningApps::find(target.appId); running > 0 && running != getpid()) {
        // The application runs: it takes the request itself, as the watch's only instance.
        sent.requestId = id;
        if (!RunningApps::deliver(target.appId, msg_services::appControlToJson(sent))) {
            LaunchJournal::setOutcome(id, "failed", 0);
            forgetPending(id);
            return APP_CONTROL_ERROR_LAUNCH_FAILED;
        }
        LaunchJournal::setOutcome(id, "delivered", running);
    } else {
        std::string path = Launcher::locate(target.executable);
        sent.requestId = id;
        int pid =
            path.empty() ? 0 : Launcher::start(path, target.appId, msg_services::appControlToJson(sent));
        if (pid == 0) {
            PLAT_LOGE("cannot start %s for %s", target.executable.c_str(), target.appId.c_str());
            LaunchJournal::setOutcome(id, "failed", 0);
            forgetPending(id);
            return APP_CONTROL_ERROR_LAUNCH_FAILED;
        }
        LaunchJournal::setOutcome(id, "started", pid);
    }
    app_control->launchedId = id;
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_send_terminate_request(app_control_h app_control) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(app_control), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid handle");
    PLAT_RETV_IF(app_control->launchedId == 0, APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "the request was not sent");
    return LaunchJournal::requestTerminate(app_control->launchedId) ? APP_CONTROL_ERROR_NONE
                                                                    : APP_CONTROL_ERROR_IO_ERROR;
}

namespace {

// The started process's normal end, so that the journal tells a finished process from a running one.
void recordExitCb() {
    ReceivedRequest& state = received();
    if (state.exitRecordId > 0)
        LaunchJournal::setOutcome(state.exitRecordId, "exited", static_cast<int>(getpid()));
    state.exitRecordId = 0;
}

} // namespace

extern "C" int app_control_get_launch_request(app_control_h* request) {
    PLAT_RETV_IF(!request, APP_CONTROL_ERROR_INVALID_PARAMETER, "request is null");
    ReceivedRequest& state = received();
    if (!state.read) {
        state.read = true;
        // Processes this one starts must not take the request for their own.
        state.json = Launcher::takeRequest();
    }
    PLAT_RETV_IF(state.json.empty(), APP_CONTROL_ERROR_KEY_NOT_FOUND, "not started by a launch request");
    app_control_h h = newHandle();
    if (!msg_services::appControlFromJson(state.json, *h)) {
        app_control_destroy(h);
        return APP_CONTROL_ERROR_INVALID_DATA_TYPE;
    }
    msg_device::Device* device = msg_device::Device::getDefault();
    if (h->requestId > 0 && state.exitRecordId == 0) {
        state.exitRecordId = h->requestId;
        atexit(recordExitCb);
    }
    // Watched once per device: the subscription ends with the device it was made on.
    if (h->requestId > 0 && device && state.device != device) {
        state.subscription =
            device->feed().subscribe(LaunchJournal::terminateTopic(h->requestId), terminateRequestedCb);
        state.device = state.subscription ? device : nullptr;
        LaunchEntry entry;
        if (state.subscription && LaunchJournal::find(h->requestId, entry) && entry.terminateRequested) {
            // Jobs need the main loop library, which the process may not have started yet.
            ecore_init();
            ecore_job_add(earlyTerminateJobCb, nullptr);
        }
    }
    *request = h;
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_set_terminate_handler(app_control_terminate_cb callback, void* user_data) {
    received().terminate = callback;
    received().terminateData = user_data;
    return APP_CONTROL_ERROR_NONE;
}

extern "C" int app_control_reply_to_launch_request(app_control_h reply, app_control_h request,
                                                   app_control_result_e result) {
    PLAT_RETV_IF(!msg_services::isLiveAppControl(reply), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid reply");
    PLAT_RETV_IF(!msg_services::isLiveAppControl(request), APP_CONTROL_ERROR_INVALID_PARAMETER,
                 "invalid request");
    PLAT_RETV_IF(request->requestId <= 0, APP_CONTROL_ERROR_INVALID_PARAMETER, "not a received request");
    app_control_s answer = *reply;
    answer.caller = AppRegistry::currentAppId();
    answer.requestId = 0;
    switch (LaunchJournal::recordReply(request->requestId, result, msg_services::appControlToJson(answer))) {
    case LaunchJournal::ReplyResult::Ok:
        return APP_CONTROL_ERROR_NONE;
    case LaunchJournal::ReplyResult::NotFound:
    case LaunchJournal::ReplyResult::AlreadyReplied:
        PLAT_LOGE("request %lld cannot be answered (unknown or answered)",
                  static_cast<long long>(request->requestId));
        return APP_CONTROL_ERROR_INVALID_PARAMETER;
    case LaunchJournal::ReplyResult::Failed:
        break;
    }
    return APP_CONTROL_ERROR_IO_ERROR;
}

namespace {

void requestArrivedCb(const msg_device::Change& change) {
    Instance& own = instance();
    app_control_h request = newHandle();
    if (own.handler && msg_services::appControlFromJson(change.payload, *request))
        own.handler(request, own.userData);
    else
        PLAT_LOGW("a request for %s could not be read", own.appId.c_str());
    app_control_destroy(request);
}

void leaveCb() {
    Instance& own = instance();
    if (!own.appId.empty())
        RunningApps::leave(own.appId, static_cast<int>(getpid()));
}

} // namespace

extern "C" int app_control_set_relaunch_handler(app_control_relaunch_cb callback, void* user_data) {
    Instance& own = instance();
    if (own.subscription && own.device == msg_device::Device::getDefault())
        own.device->feed().unsubscribe(own.subscription);
    own.subscription = 0;
    own.device = nullptr;
    if (!callback) {
        leaveCb();
        own.handler = nullptr;
        own.appId.clear();
        return APP_CONTROL_ERROR_NONE;
    }
    msg_device::Device* device = msg_device::Device::getDefault();
    PLAT_RETV_IF(!device, APP_CONTROL_ERROR_IO_ERROR, "no device");
    own.appId = AppRegistry::currentAppId();
    own.subscription = device->feed().subscribe(RunningApps::requestTopic(own.appId), requestArrivedCb);
    PLAT_RETV_IF(!own.subscription, APP_CONTROL_ERROR_IO_ERROR, "cannot watch for requests (no main loop?)");
    own.device = device;
    own.handler = callback;
    own.userData = user_data;
    PLAT_RETV_IF(!RunningApps::enter(own.appId, static_cast<int>(getpid())), APP_CONTROL_ERROR_IO_ERROR,
                 "cannot record the running %s", own.appId.c_str());
    static bool leavesAtExit = false;
    if (!leavesAtExit)
        leavesAtExit = atexit(leaveCb) == 0;
    return APP_CONTROL_ERROR_NONE;
}
