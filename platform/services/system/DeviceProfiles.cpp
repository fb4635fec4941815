#include "DeviceProfiles.h"

#include "DeviceSettings.h"
#include "FeatureStore.h"
#include "Preferences.h"
#include "SendProfiles.h"
#include "preference.h"
#include "vconf.h"

namespace msg_services {

namespace {

using Settings = std::vector<std::pair<std::string, SettingValue>>;

// The phone link and what depends on it, for a watch paired over Bluetooth with the maker's phone.
Settings bluetoothLink() {
    return {{"memory/private/yox/conn_type", SettingValue::ofInt(1)},
            {"db/wms/host_status/vendor", SettingValue::ofString("vorlane")},
            {"memory/wms/wmanager_connected", SettingValue::ofBool(false)},
            {"memory/dnet/status", SettingValue::ofInt(4)},
            {"memory/private/fabrel/service_state/3", SettingValue::ofInt(0)},
            {"db/setup_wizard/standalone", SettingValue::ofInt(0)},
            {"memory/telephony/sim_slot", SettingValue::ofInt(0)},
            {"db/telephony/modem_always_on", SettingValue::ofInt(0)}};
}

Settings with(Settings base, const Settings& changes) {
    for (const auto& change : changes) {
        bool replaced = false;
        for (auto& entry : base) {
            if (entry.first == change.first) {
                entry.second = change.second;
                replaced = true;
            }
        }
        if (!replaced)
            base.push_back(change);
    }
    return base;
}

std::vector<DeviceProfile> makeProfiles() {
    const std::vector<std::pair<std::string, std::string>> noTelephony = {{"network.telephony", "off"},
                                                                          {"network.telephony.mms", "off"}};
    const std::vector<std::pair<std::string, std::string>> ownTelephony = {{"network.telephony", "on"},
                                                                           {"network.telephony.mms", "on"}};
    const Settings ownSim = {{"memory/telephony/sim_slot", SettingValue::ofInt(1)},
                             {"db/telephony/modem_always_on", SettingValue::ofInt(1)},
                             {"db/telephony/flight_mode", SettingValue::ofBool(false)}};
    auto peer = [](bool connected) {
        return Settings{
            {"consumer_preference_int_consumer_status", SettingValue::ofInt(1)},
            {"consumer_preference_int_peer_connection_status", SettingValue::ofInt(connected ? 1 : 0)},
            {"consumer_preference_bool_support_sending_mms", SettingValue::ofBool(connected)}};
    };
    return {
        {"default", "out of the box: Bluetooth phone of the maker, no SIM, no power saving, no retail demo",
         with(bluetoothLink(), {{"db/setting/psmode", SettingValue::ofInt(0)},
                                {"db/retailmode/enabled", SettingValue::ofInt(0)}}),
         noTelephony, peer(true)},
        {"phone-bt", "the phone is connected over Bluetooth; the watch has no SIM of its own",
         bluetoothLink(), noTelephony, peer(true)},
        {"standalone", "no phone; the watch sends from its own SIM",
         with(bluetoothLink(), with(ownSim, {{"memory/private/yox/conn_type", SettingValue::ofInt(0)},
                                             {"db/wms/host_status/vendor", SettingValue::ofString("")},
                                             {"memory/dnet/status", SettingValue::ofInt(2)},
                                             {"db/setup_wizard/standalone", SettingValue::ofInt(1)}})),
         ownTelephony, peer(false)},
        {"remote", "the phone is reached over the internet; the watch has its own SIM",
         with(bluetoothLink(),
              with(ownSim, {{"memory/private/yox/conn_type", SettingValue::ofInt(16)},
                            {"memory/dnet/status", SettingValue::ofInt(1)},
                            {"memory/private/fabrel/service_state/3", SettingValue::ofInt(3)},
                            {"db/private/merrowin/status", SettingValue::ofInt(4)}})),
         ownTelephony, peer(true)},
        {"power-saving",
         "power-saving mode on (other settings unchanged)",
         {{"db/setting/psmode", SettingValue::ofInt(4)}},
         {},
         {}},
        {"retail",
         "retail demo mode on (other settings unchanged)",
         {{"db/retailmode/enabled", SettingValue::ofInt(1)}},
         {},
         {}},
    };
}

} // namespace

const std::vector<DeviceProfile>& DeviceProfiles::all() {
    static const std::vector<DeviceProfile> profiles = [] {
        std::vector<DeviceProfile> list = makeProfiles();
        for (auto& profile : sendProfiles())
            list.push_back(std::move(profile));
        return list;
    }();
    return profiles;
}

const DeviceProfile* DeviceProfiles::find(const std::string& name) {
    for (const auto& profile : all()) {
        if (profile.name == name)
            return &profile;
    }
    return nullptr;
}

bool DeviceProfiles::apply(const std::string& name, std::string* error) {
    const DeviceProfile* profile = find(name);
    if (!profile) {
        if (error)
            *error = "no profile " + name;
        return false;
    }
    if (DeviceSettings::setAll(profile->settings) != VCONF_OK) {
        if (error)
            *error = "cannot store the settings of " + name;
        return false;
    }
    for (const auto& [feature, value] : profile->features) {
        if (!FeatureStore::set(feature, value, error))
            return false;
    }
    for (const auto& [key, value] : profile->sharedPreferences) {
        if (Preferences::set(Preferences::currentPackage(), key.c_str(), value) != PREFERENCE_ERROR_NONE) {
            if (error)
                *error = "cannot store the preference " + key;
            return false;
        }
    }
    return true;
}

} // namespace msg_services
