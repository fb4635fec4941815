// msg-sim commands of the watch's modem and the cellular network it sees, including the
// network's time zone.
#include "SimTelephonyCommands.h"

#include "SimCommand.h"
#include "SimContactJson.h"

#include "telephony.h"
#include "utils_i18n.h"
#include "vconf.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kRoamingKey = "memory/telephony/roaming_status";
constexpr const char* kServiceTypeKey = "memory/telephony/service_type";
constexpr const char* kPlmnKey = "memory/telephony/plmn";
constexpr const char* kTimeZoneKey = "db/setting/timezone_id";
constexpr const char* kTimeChangedKey = "memory/system/timechanged";

const char* powerName(int state) {
    static const char* const names[] = {"on", "off", "reset", "low"};
    return state >= 0 && state <= 3 ? names[state] : "unknown";
}

int printState(const msg_sim::SimArgs& args) {
    TapiHandle* handle = tel_init(nullptr);
    int power = -1, roaming = 0, service = 0;
    tel_get_property_int(handle, TAPI_PROP_MODEM_POWER, &power);
    tel_get_property_int(handle, TAPI_PROP_NETWORK_ROAMING_STATUS, &roaming);
    tel_get_property_int(handle, TAPI_PROP_NETWORK_SERVICE_TYPE, &service);
    char* plmn = nullptr;
    tel_get_property_string(handle, TAPI_PROP_NETWORK_PLMN, &plmn);
    std::string plmnText = plmn ? plmn : "";
    free(plmn);
    tel_deinit(handle);
    if (args.json()) {
        msg_sim::JsonOut()
            .begin()
            .member("modem", std::string(powerName(power)))
            .member("service_type", service)
            .member("roaming", roaming != 0)
            .member("plmn", plmnText)
            .end()
            .print();
    } else {
        std::printf("modem %s, service type %d, roaming %s, plmn %s\n", powerName(power), service,
                    roaming ? "on" : "off", plmnText.empty() ? "(none)" : plmnText.c_str());
    }
    return 0;
}

int modemCommand(msg_sim::SimArgs& args) {
    if (!args.ok(1))
        return msg_sim::simUsageError(args, args.error());
    if (args.rest().empty())
        return printState(args);
    static const std::pair<const char*, tapi_power_phone_cmd_t> commands[] = {
        {"on", TAPI_PHONE_POWER_ON}, {"off", TAPI_PHONE_POWER_OFF}, {"low", TAPI_PHONE_POWER_LOW}};
    for (const auto& [name, cmd] : commands) {
        if (args.rest()[0] != name)
            continue;
        TapiHandle* handle = tel_init(nullptr);
        int err = tel_process_power_command(handle, cmd, nullptr, nullptr);
        tel_deinit(handle);
        if (err != TAPI_API_SUCCESS)
            return msg_sim::simFailure(args, "the modem refused (flight mode?)");
        return printState(args);
    }
    return msg_sim::simUsageError(args, "unknown modem state " + args.rest()[0]);
}

bool parseServiceType(const std::string& text, int* type) {
    static const std::pair<const char*, int> names[] = {{"none", TAPI_NETWORK_SERVICE_TYPE_NO_SERVICE},
                                                        {"emergency", TAPI_NETWORK_SERVICE_TYPE_EMERGENCY},
                                                        {"searching", TAPI_NETWORK_SERVICE_TYPE_SEARCH},
                                                        {"2g", TAPI_NETWORK_SERVICE_TYPE_2G},
                                                        {"3g", TAPI_NETWORK_SERVICE_TYPE_3G},
                                                        {"lte", TAPI_NETWORK_SERVICE_TYPE_LTE}};
    for (const auto& [name, value] : names) {
        if (text == name) {
            *type = value;
            return true;
        }
    }
    return false;
}

bool validPlmn(const std::string& plmn) {
    if (plmn.size() != 5 && plmn.size() != 6)
        return false;
    for (char c : plmn) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

int networkCommand(msg_sim::SimArgs& args) {
    std::string service, roaming, plmn;
    bool hasService = args.option("--service", service);
    bool hasRoaming = args.option("--roaming", roaming);
    bool hasPlmn = args.option("--plmn", plmn);
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    int type = 0;
    if (hasService && !parseServiceType(service, &type))
        return msg_sim::simUsageError(args, "unknown service type " + service);
    if (hasRoaming && roaming != "on" && roaming != "off")
        return msg_sim::simUsageError(args, "--roaming takes on or off");
    if (hasPlmn && !validPlmn(plmn))
        return msg_sim::simUsageError(args, "--plmn takes 5 or 6 digits");
    if ((hasService && vconf_set_int(kServiceTypeKey, type) != VCONF_OK) ||
        (hasRoaming && vconf_set_int(kRoamingKey, roaming == "on") != VCONF_OK) ||
        (hasPlmn && vconf_set_str(kPlmnKey, plmn.c_str()) != VCONF_OK))
        return msg_sim::simFailure(args, "cannot change the network state");
    return printState(args);
}

int timezoneCommand(msg_sim::SimArgs& args) {
    if (!args.ok(1))
        return msg_sim::simUsageError(args, args.error());
    if (!args.rest().empty()) {
        const std::string& zone = args.rest()[0];
        i18n_uchar uzone[128];
        int32_t length = 0;
        // The zone must be one the device's calendar knows.
        if (zone.size() >= 128 || i18n_ustring_from_UTF8(uzone, 128, &length, zone.c_str(), -1) != 0 ||
            i18n_ucalendar_set_default_timezone(uzone) != 0)
            return msg_sim::simUsageError(args, "unknown time zone " + zone);
        int changed = 0;
        vconf_get_int(kTimeChangedKey, &changed);
        if (vconf_set_str(kTimeZoneKey, zone.c_str()) != VCONF_OK ||
            vconf_set_int(kTimeChangedKey, changed + 1) != VCONF_OK)
            return msg_sim::simFailure(args, "cannot change the time zone");
    }
    char* zone = vconf_get_str(kTimeZoneKey);
    std::string text = zone ? zone : "";
    free(zone);
    if (args.json())
        msg_sim::JsonOut().begin().member("timezone", text).end().print();
    else
        std::printf("%s\n", text.c_str());
    return 0;
}

} // namespace

void msg_sim::registerTelephonyCommands() {
    addSimCommand({"modem", "[on|off|low]", "shows or switches the watch's modem", modemCommand});
    addSimCommand({"network",
                   "[--service none|emergency|searching|2g|3g|lte] [--roaming on|off] [--plmn MCCMNC]",
                   "changes the cellular network the watch's modem sees", networkCommand});
    addSimCommand(
        {"timezone", "[ZONE]", "shows or sets the network's time zone (e.g. Asia/Seoul)", timezoneCommand});
}
