// msg-sim profile: named device situations applied at once.
#include "SimProfileCommands.h"

#include "DeviceProfiles.h"
#include "SimCommand.h"
#include "SimSettingsOutput.h"

#include <cstdio>

namespace {

using msg_services::DeviceProfiles;

int runProfile(msg_sim::SimArgs& args) {
    if (!args.ok(1))
        return msg_sim::simUsageError(args, args.error());
    if (args.rest().empty()) {
        for (const auto& profile : DeviceProfiles::all())
            std::printf("%-13s %s\n", profile.name.c_str(), profile.summary.c_str());
        return 0;
    }
    std::string error;
    if (!DeviceProfiles::find(args.rest()[0]))
        return msg_sim::simUsageError(args, "no profile " + args.rest()[0] + " (msg-sim profile lists them)");
    if (!DeviceProfiles::apply(args.rest()[0], &error))
        return msg_sim::simFailure(args, error);
    return 0;
}

} // namespace

void msg_sim::registerProfileCommands() {
    addSimCommand(
        {"profile", "[NAME]", "applies a device profile (phone-bt, standalone, remote, ...)", runProfile});
}
