// The watch's own modem as the network sees it: messages the watch sent wait
// in its outbox while there is no SIM, no service or flight mode, and go out
// when the network is there; a one-shot send error can be injected.
#include "SimWatchSendCommands.h"

#include "SimCommand.h"
#include "SimStoreOutput.h"

#include "msg_store/PhoneSide.h"
#include "telephony.h"
#include "vconf.h"

#include <Ecore.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* NEXT_ERROR_KEY = "memory/private/msg/next_send_error";
constexpr int DEFAULT_INJECTED_ERROR = -11; // the transport's error
constexpr double AUTO_INTERVAL = 0.2;

// Why the watch's network cannot carry a message now; empty when it can.
std::string holdReason() {
    int flight = 0;
    if (vconf_get_bool("db/telephony/flight_mode", &flight) == VCONF_OK && flight)
        return "flight mode";
    int sim = 0;
    if (vconf_get_int("memory/telephony/sim_slot", &sim) != VCONF_OK || sim != 1)
        return "no SIM";
    TapiHandle* handle = tel_init(nullptr);
    int service = 0;
    bool attached = handle && tel_get_property_int(handle, TAPI_PROP_NETWORK_SERVICE_TYPE, &service) == 0 &&
                    service >= TAPI_NETWORK_SERVICE_TYPE_2G;
    if (handle)
        tel_deinit(handle);
    return attached ? std::string() : "no service";
}

// Sends what the watch holds when the network allows; the number sent, or -1 on a store error.
int sendHeld(bool quiet) {
    std::vector<msg_store::OutboxEntry> entries;
    if (msg_store::PhoneSide::getOutbox(entries) != msg_store::MSG_STORE_SUCCESS)
        return -1;
    int held = 0;
    for (const auto& entry : entries)
        held += entry.folderType == msg_store::FOLDER_WATCH_OUTBOX ? 1 : 0;
    std::string reason = holdReason();
    if (!reason.empty()) {
        if (!quiet)
            std::printf("%d message(s) held: %s\n", held, reason.c_str());
        return 0;
    }
    int sent = 0;
    for (const auto& entry : entries) {
        if (entry.folderType != msg_store::FOLDER_WATCH_OUTBOX)
            continue;
        if (msg_store::PhoneSide::deliver(entry.msgId) != msg_store::MSG_STORE_SUCCESS)
            return -1;
        std::printf("message %d sent by the watch\n", entry.msgId);
        ++sent;
    }
    if (!quiet && sent == 0)
        std::printf("nothing to send\n");
    return sent;
}

Eina_Bool autoTickCb(void*) {
    if (sendHeld(true) < 0) {
        ecore_main_loop_quit();
        return ECORE_CALLBACK_CANCEL;
    }
    return ECORE_CALLBACK_RENEW;
}

Eina_Bool autoEndCb(void*) {
    ecore_main_loop_quit();
    return ECORE_CALLBACK_CANCEL;
}

int runWatchSend(msg_sim::SimArgs& args) {
    msg_sim::simTakeDevice(args);
    std::string seconds;
    bool autoMode = args.flag("--auto");
    bool hasLimit = args.option("--for", seconds);
    std::string error;
    bool failNext = args.flag("--fail-next");
    bool hasError = args.option("--error", error);
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    if (failNext || hasError) {
        int code = DEFAULT_INJECTED_ERROR;
        try {
            code = hasError ? std::stoi(error) : DEFAULT_INJECTED_ERROR;
        } catch (...) {
            return msg_sim::simUsageError(args, "--error needs a number");
        }
        if (code >= 0 || vconf_set_int(NEXT_ERROR_KEY, code) != VCONF_OK)
            return msg_sim::simFailure(args, "cannot inject the error (it must be below 0)");
        std::printf("the watch's next send fails with %d\n", code);
        return 0;
    }
    if (!autoMode)
        return sendHeld(false) < 0 ? msg_sim::simFailure(args, "cannot read the outbox") : 0;
    double limit = 0;
    try {
        limit = hasLimit ? std::stod(seconds) : 0;
    } catch (...) {
        return msg_sim::simUsageError(args, "--for needs seconds");
    }
    ecore_init();
    ecore_timer_add(AUTO_INTERVAL, autoTickCb, nullptr);
    if (limit > 0)
        ecore_timer_add(limit, autoEndCb, nullptr);
    ecore_main_loop_begin();
    ecore_shutdown();
    return 0;
}

} // namespace

void msg_sim::registerWatchSendCommands() {
    addSimCommand({"watch-send", "[--auto [--for SECONDS]] | --fail-next [--error N]",
                   "the watch's network sends what the watch holds, or fails its next send", runWatchSend});
}
