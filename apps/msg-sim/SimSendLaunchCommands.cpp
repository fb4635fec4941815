// Sends any launch request by hand, as another application of the device
// would: to an application or by operation, with a URI, extras and arrays.
#include "SimSendLaunchCommands.h"

#include "SimCommand.h"
#include "SimStoreOutput.h"

#include "LaunchJournal.h"
#include "app_control.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* OPERATION_PREFIX = "http://orvex.org/appcontrol/operation/";

std::vector<std::string> splitItems(const std::string& text) {
    std::vector<std::string> items;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        items.push_back(text.substr(start, comma - start));
    items.push_back(text.substr(start));
    return items;
}

bool addArray(app_control_h request, const std::string& pair) {
    size_t eq = pair.find('=');
    if (eq == std::string::npos || eq == 0)
        return false;
    std::vector<std::string> items = splitItems(pair.substr(eq + 1));
    std::vector<const char*> pointers;
    for (const auto& item : items)
        pointers.push_back(item.c_str());
    return app_control_add_extra_data_array(request, pair.substr(0, eq).c_str(), pointers.data(),
                                            static_cast<int>(pointers.size())) == APP_CONTROL_ERROR_NONE;
}

bool addExtras(msg_sim::SimArgs& args, app_control_h request, std::string& error) {
    for (std::string pair; args.option("--extra", pair);) {
        size_t eq = pair.find('=');
        if (eq == std::string::npos || eq == 0 ||
            app_control_add_extra_data(request, pair.substr(0, eq).c_str(), pair.substr(eq + 1).c_str()) !=
                APP_CONTROL_ERROR_NONE) {
            error = "--extra takes KEY=VALUE (value at most 64 KiB)";
            return false;
        }
    }
    for (std::string pair; args.option("--array", pair);) {
        if (!addArray(request, pair)) {
            error = "--array takes KEY=ITEM,ITEM,... (at most 1024 items)";
            return false;
        }
    }
    return true;
}

int runLaunch(msg_sim::SimArgs& args) {
    std::string app;
    std::string operation;
    std::string uri;
    std::string caller;
    args.option("--app", app);
    args.option("--operation", operation);
    args.option("--uri", uri);
    args.option("--caller", caller);
    app_control_h request = nullptr;
    app_control_create(&request);
    std::string error;
    if (!addExtras(args, request, error) || !args.ok() || (app.empty() && operation.empty())) {
        app_control_destroy(request);
        return msg_sim::simUsageError(args, !error.empty()          ? error
                                            : !args.error().empty() ? args.error()
                                                                    : "give --app or --operation");
    }
    if (!app.empty())
        app_control_set_app_id(request, app.c_str());
    if (!operation.empty()) {
        std::string full =
            operation.find('/') == std::string::npos ? OPERATION_PREFIX + operation : operation;
        app_control_set_operation(request, full.c_str());
    }
    if (!uri.empty())
        app_control_set_uri(request, uri.c_str());
    // The request is sent as that application would send it.
    if (!caller.empty())
        setenv("MSG_APP_ID", caller.c_str(), 1);
    int ret = app_control_send_launch_request(request, nullptr, nullptr);
    app_control_destroy(request);
    if (ret != APP_CONTROL_ERROR_NONE)
        return msg_sim::simFailure(args, "the launch request was refused (" + std::to_string(ret) + ")" +
                                             msg_sim::simWriteFailure());
    auto entries = msg_services::LaunchJournal::list(1);
    if (!entries.empty())
        std::printf("launch #%lld to %s: %s\n", static_cast<long long>(entries.back().id),
                    entries.back().target.c_str(), entries.back().status.c_str());
    return 0;
}

} // namespace

void msg_sim::registerSendLaunchCommands() {
    addSimCommand({"launch",
                   "(--app ID | --operation OP) [--uri URI] [--extra KEY=VALUE]... [--array KEY=A,B,...]... "
                   "[--caller APP_ID]",
                   "sends a launch request as another application would", runLaunch});
}
