// msg-sim audio and wakeup: the sound route and focus the device reports, and the voice wake-up
// service asking the messaging application who its open conversation is with.
#include "SimMediaCommands.h"

#include "DeviceSettings.h"
#include "JournalStore.h"
#include "SimCommand.h"
#include "SoundKeys.h"
#include "bundle.h"
#include "common/AppIds.h"
#include "message_port.h"
#include "sound_manager.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using msg_services::DeviceSettings;
using msg_services::SettingValue;
using msg_services::SoundKeys;

constexpr const char* WAKEUP_PORT = "Voice Wakeup Notification";

const char* const ROUTES[] = {"none", "speaker", "headset", "bluetooth"};
const char* const REASONS[] = {
    "media",    "system", "alarm", "notification", "emergency", "voice-information", "voice-recognition",
    "ringtone", "voip",   "call"};

int indexOf(const char* const* names, int count, const std::string& name) {
    for (int i = 0; i < count; ++i) {
        if (name == names[i])
            return i;
    }
    return -1;
}

void printAudio() {
    int route = DeviceSettings::getInt(SoundKeys::ROUTE, SOUND_ROUTE_SPEAKER);
    std::string owner = DeviceSettings::getString(SoundKeys::FOCUS_OWNER, "");
    std::printf("route: %s\nfocus: %s\noutput: %s\n", route >= 0 && route <= 3 ? ROUTES[route] : "none",
                owner.empty() ? "(nobody)" : owner.c_str(),
                DeviceSettings::getString(SoundKeys::OUTPUT, "auto").c_str());
}

int runAudio(msg_sim::SimArgs& args) {
    std::string route, app, reason = "media", output;
    bool hasRoute = args.option("--route", route);
    bool hasFocus = args.option("--focus", app);
    args.option("--reason", reason);
    bool hasOutput = args.option("--output", output);
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    int routeIndex = indexOf(ROUTES, 4, route);
    int reasonIndex = indexOf(REASONS, 10, reason);
    if (hasRoute && routeIndex < 0)
        return msg_sim::simUsageError(args, "--route is none, speaker, headset or bluetooth");
    if (reasonIndex < 0)
        return msg_sim::simUsageError(args, "unknown --reason " + reason);
    if (hasOutput && output != "auto" && output != "silent" && output != "desktop")
        return msg_sim::simUsageError(args, "--output is auto, silent or desktop");
    if (hasFocus && app.empty())
        return msg_sim::simUsageError(args, "--focus needs the application that takes it");
    bool ok = true;
    if (hasRoute)
        ok = DeviceSettings::set(SoundKeys::ROUTE, SettingValue::ofInt(routeIndex)) == 0;
    if (ok && hasOutput)
        ok = DeviceSettings::set(SoundKeys::OUTPUT, SettingValue::ofString(output)) == 0;
    // The reason goes first: whoever loses focus reads it when the owner changes.
    if (ok && hasFocus)
        ok = DeviceSettings::setAll({{SoundKeys::FOCUS_REASON, SettingValue::ofInt(reasonIndex)},
                                     {SoundKeys::FOCUS_OWNER, SettingValue::ofString(app + "/sim")}}) == 0;
    if (!ok)
        return msg_sim::simFailure(args, "cannot change the device's sound settings");
    printAudio();
    return 0;
}

// The newest answer the wake-up service's port received after seq, from the journal.
bool answerAfter(int64_t seq, std::string& out) {
    for (const auto& entry : msg_services::JournalStore::list("journal")) {
        if (entry.seq > seq && entry.category == "MESSAGE_PORT" &&
            entry.text.rfind(std::string(msg_app::app_id::WAKE_UP_SERVICE) + "/voice-context-response-port ",
                             0) == 0)
            out = entry.text.substr(entry.text.find(' ') + 1);
    }
    return !out.empty();
}

int64_t lastSeq() {
    auto entries = msg_services::JournalStore::list("journal");
    return entries.empty() ? 0 : entries.back().seq;
}

int runWakeup(msg_sim::SimArgs& args) {
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    int64_t since = lastSeq();
    bundle* notice = bundle_create();
    int result = message_port_send_message(msg_app::app_id::MESSAGE, WAKEUP_PORT, notice);
    bundle_free(notice);
    if (result != MESSAGE_PORT_ERROR_NONE)
        return msg_sim::simFailure(args,
                                   "no conversation is open: the messaging application has no wake-up port");
    std::string encoded;
    // The application answers from its own main loop.
    for (int waited = 0; waited < 100 && !answerAfter(since, encoded); ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (encoded.empty())
        return msg_sim::simFailure(args, "the messaging application did not answer");
    bundle* answer =
        bundle_decode(reinterpret_cast<const bundle_raw*>(encoded.c_str()), static_cast<int>(encoded.size()));
    if (!answer)
        return msg_sim::simFailure(args, "the answer cannot be read");
    for (const char* key : {"context", "contact_id", "display_name", "phone_number"}) {
        char* value = nullptr;
        if (bundle_get_str(answer, key, &value) == 0 && value)
            std::printf("%s: %s\n", key, value);
    }
    bundle_free(answer);
    return 0;
}

} // namespace

void msg_sim::registerMediaCommands() {
    addSimCommand({"audio",
                   "[--route none|speaker|headset|bluetooth] [--focus APP [--reason media|call|alarm|...]] "
                   "[--output auto|silent|desktop]",
                   "shows or changes the sound route, who holds audio focus, and where sound goes",
                   runAudio});
    addSimCommand(
        {"wakeup", "", "asks the open conversation who it is with, as the wake-up service does", runWakeup});
}
