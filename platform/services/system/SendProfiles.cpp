// Device states that decide whether and how a message can leave the watch:
// each changes only its own settings, so they combine with the others.
#include "SendProfiles.h"

namespace msg_services {

namespace {

using Settings = std::vector<std::pair<std::string, SettingValue>>;

DeviceProfile overlay(const char* name, const char* summary, Settings settings,
                      std::vector<std::pair<std::string, std::string>> features = {}) {
    return {name, summary, std::move(settings), std::move(features), {}};
}

DeviceProfile carrier(const char* name, const char* summary, const char* salesCode, const char* country,
                      const char* plmn) {
    return overlay(name, summary,
                   {{"db/zeq/salescode", SettingValue::ofString(salesCode)},
                    {"db/zeq/country_iso", SettingValue::ofString(country)},
                    {"memory/telephony/plmn", SettingValue::ofString(plmn)}});
}

} // namespace

std::vector<DeviceProfile> sendProfiles() {
    return {
        overlay("flight-mode", "flight mode on", {{"db/telephony/flight_mode", SettingValue::ofBool(true)}}),
        overlay("no-sim", "the watch's SIM is absent",
                {{"memory/telephony/sim_slot", SettingValue::ofInt(0)}}),
        overlay("no-service", "the watch's modem finds no network",
                {{"memory/telephony/service_type", SettingValue::ofInt(1)}}),
        overlay("roaming-no-data", "roaming abroad with data roaming off",
                {{"memory/telephony/roaming_status", SettingValue::ofInt(1)},
                 {"db/setting/data_roaming", SettingValue::ofBool(false)}}),
        overlay("policy-restricted", "device management forbids text messages",
                {{"db/private/mdm/text_messaging/peer", SettingValue::ofInt(1)},
                 {"db/private/mdm/text_messaging/SIM1", SettingValue::ofInt(1)}},
                {{"orvex/feature/mdm", "1"}}),
        overlay("storage-full", "less than 1 MiB of storage free",
                {{"memory/private/device/storage_free_kb", SettingValue::ofInt(512)}}),
        carrier("carrier-skt", "a Korean carrier with a fixed road for dual-SIM models", "SKO", "KR",
                "45005"),
        carrier("carrier-kt", "a Korean carrier with its own reject texts", "KTO", "KR", "45008"),
        carrier("carrier-lgu", "a Korean carrier with domestic and roaming reject texts", "LUO", "KR",
                "45006"),
        carrier("carrier-att", "a carrier with number sync through the network message service", "ATT", "US",
                "310410"),
        carrier("carrier-tmb", "a carrier with number sharing", "TMB", "US", "310260"),
        carrier("carrier-vzw", "a carrier whose phone road stays first over the remote link", "VZW", "US",
                "311480"),
    };
}

} // namespace msg_services
