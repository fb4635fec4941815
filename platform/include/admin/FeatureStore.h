/*
 * The device's features, capabilities and carrier switches, with their
 * defaults. Names are kept as paths: "feature/network.telephony" (platform),
 * "orvex/feature/mdm" (the maker's custom features), "capability/messaging"
 * (the capability record), "zeq/57" (the carrier feature store).
 */
#ifndef MSG_SERVICES_FEATURESTORE_H
#define MSG_SERVICES_FEATURESTORE_H

#include <string>
#include <utility>
#include <vector>

namespace msg_services {

enum class FeatureKind { Platform, Custom, Capability, Carrier };

struct Feature {
    std::string name;
    FeatureKind kind;
    std::string value; // "1"/"0" for switches, text otherwise
    bool isSwitch;
    const char* meaning;
};

class FeatureStore {
public:
    // A URI loses its scheme and host; a path stays as it is.
    static std::string normalize(const std::string& name);
    static FeatureKind kindOf(const std::string& normalized);
    // The feature's current value; false when the device has no such feature.
    static bool get(const std::string& name, Feature& out);
    // Finds a feature by its path or by its last elements ("network.telephony", "mdm", "zeq/57").
    static bool resolve(const std::string& name, Feature& out);
    // Stores a value for a known feature (or any carrier switch); switches take on/off/true/false/1/0.
    static bool set(const std::string& name, const std::string& value, std::string* error);
    static std::vector<Feature> all();
    static const char* kindName(FeatureKind kind);
};

} // namespace msg_services

#endif
