#include "FeatureStore.h"

#include "device/Device.h"
#include "log/PlatformLog.h"

#include <algorithm>
#include <map>

namespace msg_services {

using msg_device::ChangeLog;
using msg_device::Connection;

namespace {

const msg_device::SchemaModule kSchema{
    "features", {"CREATE TABLE features(name TEXT PRIMARY KEY, value TEXT NOT NULL);"}};

const std::vector<Feature>& defaults() {
    static const std::vector<Feature> list = {
        {"capability/messaging", FeatureKind::Capability, "true", false,
         "the messaging service is supported"},
        {"feature/network.telephony", FeatureKind::Platform, "0", true, "the watch has its own telephony"},
        {"feature/network.telephony.mms", FeatureKind::Platform, "0", true, "the watch can send MMS itself"},
        {"orvex/feature/mdm", FeatureKind::Custom, "0", true, "device management present"},
        {"zeq/12", FeatureKind::Carrier, "", false, "carrier map service (\"here\")"},
        {"zeq/17", FeatureKind::Carrier, "0", true, "MMS retrieval regardless of mobile data"},
        {"zeq/38", FeatureKind::Carrier, "0", true, "caller application usage logging"},
        {"zeq/51", FeatureKind::Carrier, "0", true, "reduced SMS length limit"},
        {"zeq/57", FeatureKind::Carrier, "0", true, "phone numbers shown unformatted"},
    };
    return list;
}

msg_device::Device* device() {
    return msg_device::Device::getDefaultWith(kSchema);
}

bool readStored(const std::string& name, std::string& value) {
    msg_device::Device* dev = device();
    Connection* db = dev ? dev->connection() : nullptr;
    if (!db)
        return false;
    auto select = db->prepare("SELECT value FROM features WHERE name = ?");
    select.bind(1, name);
    if (!select.step())
        return false;
    value = select.columnText(0);
    return true;
}

bool isCarrierName(const std::string& name) {
    if (name.size() < 5 || name.compare(0, 4, "zeq/") != 0)
        return false;
    return std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
           name.size() <= 12;
}

bool switchValue(const std::string& text, std::string& out) {
    if (text == "on" || text == "true" || text == "1") {
        out = "1";
        return true;
    }
    if (text == "off" || text == "false" || text == "0") {
        out = "0";
        return true;
    }
    return false;
}

} // namespace

std::string FeatureStore::normalize(const std::string& name) {
    size_t scheme = name.find("://");
    if (scheme == std::string::npos)
        return name;
    size_t path = name.find('/', scheme + 3);
    return path == std::string::npos ? std::string() : name.substr(path + 1);
}

FeatureKind FeatureStore::kindOf(const std::string& normalized) {
    if (normalized.compare(0, 4, "zeq/") == 0)
        return FeatureKind::Carrier;
    if (normalized.compare(0, 11, "capability/") == 0)
        return FeatureKind::Capability;
    if (normalized.compare(0, 8, "feature/") == 0)
        return FeatureKind::Platform;
    return FeatureKind::Custom;
}

const char* FeatureStore::kindName(FeatureKind kind) {
    switch (kind) {
    case FeatureKind::Platform:
        return "platform";
    case FeatureKind::Custom:
        return "custom";
    case FeatureKind::Capability:
        return "capability";
    case FeatureKind::Carrier:
        return "carrier";
    }
    return "?";
}

bool FeatureStore::get(const std::string& name, Feature& out) {
    std::string path = normalize(name);
    auto it =
        std::find_if(defaults().begin(), defaults().end(), [&](const Feature& f) { return f.name == path; });
    Feature feature;
    if (it != defaults().end())
        feature = *it;
    else if (isCarrierName(path))
        feature = {path, FeatureKind::Carrier, "0", true, "carrier switch"};
    else
        return false;
    std::string stored;
    if (readStored(path, stored))
        feature.value = stored;
    out = feature;
    return true;
}

bool FeatureStore::resolve(const std::string& name, Feature& out) {
    if (get(name, out))
        return true;
    for (const auto& feature : defaults()) {
        const std::string& full = feature.name;
        if (full.size() > name.size() && full.compare(full.size() - name.size(), name.size(), name) == 0 &&
            full[full.size() - name.size() - 1] == '/')
            return get(full, out);
    }
    return false;
}

bool FeatureStore::set(const std::string& name, const std::string& value, std::string* error) {
    Feature feature;
    if (!resolve(name, feature)) {
        if (error)
            *error = "no feature " + name;
        return false;
    }
    std::string stored = value;
    if (feature.isSwitch && !switchValue(value, stored)) {
        if (error)
            *error = feature.name + " is a switch: give on or off";
        return false;
    }
    if (feature.kind == FeatureKind::Capability && switchValue(value, stored))
        stored = stored == "1" ? "true" : "false";
    if (stored.size() > 1024) {
        if (error)
            *error = "value is too long";
        return false;
    }
    msg_device::Device* dev = device();
    return dev && dev->write([&](Connection& db, ChangeLog& log) {
        auto upsert = db.prepare("INSERT OR REPLACE INTO features(name, value) VALUES(?, ?)");
        upsert.bind(1, feature.name).bind(2, stored);
        if (!upsert.exec())
            return false;
        log.append("feature/" + feature.name, stored);
        return true;
    });
}

std::vector<Feature> FeatureStore::all() {
    std::map<std::string, Feature> merged;
    for (const auto& feature : defaults())
        merged[feature.name] = feature;
    if (msg_device::Device* dev = device()) {
        if (Connection* db = dev->connection()) {
            auto select = db->prepare("SELECT name FROM features");
            while (select.step())
                merged[select.columnText(0)];
        }
    }
    std::vector<Feature> features;
    for (const auto& entry : merged) {
        Feature feature;
        if (get(entry.first, feature))
            features.push_back(feature);
    }
    return features;
}

} // namespace msg_services
