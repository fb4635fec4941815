#include "SettingDefaults.h"

#include "SoundKeys.h"

#include <algorithm>

namespace msg_services {

namespace {

SettingDefault i(const char* key, int value, const char* meaning) {
    return {key, SettingValue::ofInt(value), meaning};
}
SettingDefault b(const char* key, bool value, const char* meaning) {
    return {key, SettingValue::ofBool(value), meaning};
}
SettingDefault s(const char* key, const char* value, const char* meaning) {
    return {key, SettingValue::ofString(value), meaning};
}

std::vector<SettingDefault> makeDefaults() {
    std::vector<SettingDefault> defaults = {
        // Region, language, time.
        s("db/menu_widget/language", "en_US.UTF-8", "display language"),
        s("db/menu_widget/regionformat", "en_US.UTF-8", "region format"),
        i("db/menu_widget/regionformat_time1224", 1, "1 12-hour clock, 2 24-hour clock"),
        i("db/setting/date_format", 1, "0 dd/MM/y, 1 MM/dd/y, 2 y/MM/dd, 3 y/dd/MM"),
        s("db/setting/timezone_id", "America/New_York", "time zone"),
        i("memory/system/timechanged", 0, "bumped when the time or zone changes"),
        // Carrier and modes.
        s("db/zeq/salescode", "XAR", "sales code of the device"),
        s("db/zeq/country_iso", "US", "country of the SIM"),
        i("db/retailmode/enabled", 0, "shop demo mode when non-zero"),
        i("db/setting/psmode", 0, "power saving when 4"),
        i("db/setup_wizard/standalone", 0, "used without a phone when non-zero"),
        b("db/setting/accessibility/tts", false, "screen reader"),
        s("db/setting/accessibility/font_name", "DejaVu Sans", "system font"),
        i("db/setting/accessibility/font_size", 1, "0 small, 1 normal, 2 large"),
        // The paired phone.
        s("db/wms/host_status/vendor", "vorlane", "vendor of the paired phone (empty: none)"),
        i("db/wms/host_status/mcc", 310, "country code of the paired phone's network"),
        i("memory/private/yox/conn_type", 1, "phone link: 0 none, 1 or 5 Bluetooth, 16 remote"),
        b("memory/wms/wmanager_connected", false, "phone manager link of another vendor's phone"),
        b("db/wms/multi_sim_model", false, "dual-SIM model"),
        i("db/wms/multi_sim_category", 0, "dual-SIM category"),
        i("db/ciss/request_type", 0, "dual-SIM fixed road: 1 watch, 2 phone"),
        // Cellular side of the watch.
        b("db/telephony/flight_mode", false, "flight mode"),
        i("db/telephony/modem_always_on", 0, "mobile network: 2 auto, 1 on, other off"),
        i("memory/telephony/sim_slot", 0, "1 when a SIM is inserted"),
        b("db/setting/data_roaming", false, "data roaming allowed"),
        b("db/setting/3gEnabled", true, "mobile data on"),
        i("db/setting/data_restriction", 0, "mobile data restricted when 1"),
        i("memory/private/telephony/skt_sim_is_activated", -1, "carrier SIM activation (-1 or 1 activated)"),
        i("memory/telephony/cs_rej_cause", 0, "circuit-switched reject cause"),
        i("memory/telephony/ps_rej_cause", 0, "packet-switched reject cause"),
        b("memory/msg/ready", true, "messaging service ready"),
        // Network connection and the device's own services.
        i("memory/dnet/status", 4, "network: 0 none, 1 Wi-Fi, 2 cellular, 3 Ethernet, 4 Bluetooth"),
        i("memory/private/fabrel/service_state/3", 0, "remote link service state (3 connected)"),
        b("db/private/merrowin/available", true, "number-sync service can be reached"),
        i("db/private/merrowin/status", 4, "number-sync status (4 deactivated)"),
        b("db/private/tarvik/available", true, "number-sharing service can be reached"),
        i("db/private/tarvik/status", 0, "number-sharing status: 0 n/a, 1 enabled, 2 disabled"),
        b("db/private/mdm/available", true, "device management service can be reached"),
        i("db/private/mdm/text_messaging/peer", 0, "texting through the phone: 0 allowed, 1 restricted"),
        i("db/private/mdm/text_messaging/SIM1", 0, "texting from the watch's SIM: 0 allowed, 1 restricted"),
        i("memory/private/device/storage_free_kb", -1, "free internal storage in KiB (-1: the real disk)"),
        b("memory/private/trace/enabled", false, "record trace_begin/trace_end in the journal"),
        // Sound.
        s(SoundKeys::OUTPUT, "auto", "audio output: auto, silent (keeps time) or desktop"),
        i(SoundKeys::ROUTE, 1, "active audio route: 0 none, 1 speaker, 2 headset, 3 Bluetooth"),
        s(SoundKeys::FOCUS_OWNER, "", "the stream holding audio focus"),
        i(SoundKeys::FOCUS_REASON, 0, "stream type of the last focus taker (0 media, 9 call)"),
    };
    std::sort(defaults.begin(), defaults.end(),
              [](const SettingDefault& a, const SettingDefault& b) { return std::string(a.key) < b.key; });
    return defaults;
}

} // namespace

const std::vector<SettingDefault>& SettingDefaults::all() {
    static const std::vector<SettingDefault> defaults = makeDefaults();
    return defaults;
}

const SettingDefault* SettingDefaults::find(const std::string& key) {
    const auto& defaults = all();
    auto it = std::lower_bound(defaults.begin(), defaults.end(), key,
                               [](const SettingDefault& d, const std::string& k) { return d.key < k; });
    return it != defaults.end() && key == it->key ? &*it : nullptr;
}

} // namespace msg_services
