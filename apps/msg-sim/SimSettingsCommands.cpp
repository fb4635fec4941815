// msg-sim get, set, pref and feature: the device settings, application preferences and features.
#include "SimSettingsCommands.h"

#include "AppRegistry.h"
#include "DeviceSettings.h"
#include "FeatureStore.h"
#include "Preferences.h"
#include "SimCommand.h"
#include "SimSettingsOutput.h"
#include "SimStoreOutput.h"
#include "preference.h"
#include "vconf.h"

#include <cstdio>

namespace {

using msg_services::DeviceSettings;
using msg_services::Feature;
using msg_services::FeatureStore;
using msg_services::Preferences;
using msg_services::SettingValue;
using msg_services::ValueType;

void printValues(const msg_sim::SimArgs& args,
                 const std::vector<std::pair<std::string, SettingValue>>& values) {
    if (args.json()) {
        JsonBuilder* builder = json_builder_new();
        json_builder_begin_object(builder);
        for (const auto& [key, value] : values) {
            json_builder_set_member_name(builder, key.c_str());
            msg_sim::addJsonValue(builder, value);
        }
        json_builder_end_object(builder);
        msg_sim::printJson(json_builder_get_root(builder));
        g_object_unref(builder);
        return;
    }
    for (const auto& [key, value] : values)
        std::printf("%s = %s (%s)\n", key.c_str(), msg_sim::displayValue(value).c_str(),
                    msg_services::valueTypeName(value.type));
}

int runGet(msg_sim::SimArgs& args) {
    if (!args.ok(1))
        return msg_sim::simUsageError(args, args.error());
    if (args.rest().empty()) {
        printValues(args, DeviceSettings::list());
        return 0;
    }
    const std::string& key = args.rest()[0];
    SettingValue value;
    int error = DeviceSettings::get(key.c_str(), value);
    if (error == VCONF_ERROR_NO_ENTRY)
        return msg_sim::simFailure(args, "no setting " + key);
    if (error != VCONF_OK)
        return msg_sim::simFailure(args, "cannot read " + key + " (error " + std::to_string(error) + ")");
    printValues(args, {{key, value}});
    return 0;
}

int runSet(msg_sim::SimArgs& args) {
    std::string typeName;
    args.option("--type", typeName);
    if (!args.ok(2) || args.rest().size() != 2)
        return msg_sim::simUsageError(args, args.error().empty() ? "give a key and a value" : args.error());
    const std::string& key = args.rest()[0];
    ValueType known = DeviceSettings::typeOf(key);
    if (known == ValueType::None && typeName.empty())
        return msg_sim::simUsageError(args, key + " is a new key: give its --type");
    SettingValue value;
    std::string error;
    if (!msg_sim::parseCommandValue(args.rest()[1], typeName, known, value, error))
        return msg_sim::simUsageError(args, error);
    int result = DeviceSettings::set(key.c_str(), value);
    if (result == VCONF_ERROR_WRONG_TYPE)
        return msg_sim::simFailure(args, key + " is a " + msg_services::valueTypeName(known));
    if (result != VCONF_OK)
        return msg_sim::simFailure(args, "cannot set " + key + " (error " + std::to_string(result) + ")" +
                                             msg_sim::simWriteFailure());
    return 0;
}

// The type a new preference gets: its name says it ("_int_", "_bool_"), else the value decides.
ValueType typeFromPreferenceName(const std::string& key) {
    if (key.find("_int_") != std::string::npos)
        return ValueType::Int;
    if (key.find("_bool_") != std::string::npos)
        return ValueType::Bool;
    return ValueType::None;
}

int runPref(msg_sim::SimArgs& args) {
    std::string typeName;
    args.option("--type", typeName);
    bool remove = args.flag("--remove");
    if (!args.ok(3) || args.rest().empty())
        return msg_sim::simUsageError(args, args.error().empty() ? "give an application" : args.error());
    const auto& rest = args.rest();
    std::string package = msg_services::AppRegistry::packageOf(rest[0]);
    if (rest.size() == 1) {
        printValues(args, Preferences::list(package));
        return 0;
    }
    const std::string& key = rest[1];
    SettingValue value;
    int error = Preferences::get(package, key.c_str(), value);
    if (remove) {
        error = Preferences::remove(package, key.c_str());
        return error == PREFERENCE_ERROR_NONE ? 0 : msg_sim::simFailure(args, "no preference " + key);
    }
    if (rest.size() == 2) {
        if (error != PREFERENCE_ERROR_NONE)
            return msg_sim::simFailure(args, "no preference " + key + " for " + package);
        printValues(args, {{key, value}});
        return 0;
    }
    ValueType fallback = error == PREFERENCE_ERROR_NONE ? value.type : typeFromPreferenceName(key);
    std::string reason;
    if (!msg_sim::parseCommandValue(rest[2], typeName, fallback, value, reason))
        return msg_sim::simUsageError(args, reason);
    error = Preferences::set(package, key.c_str(), value);
    return error == PREFERENCE_ERROR_NONE
               ? 0
               : msg_sim::simFailure(args, "cannot set " + key + msg_sim::simWriteFailure());
}

void printFeatures(const msg_sim::SimArgs& args, const std::vector<Feature>& features) {
    if (args.json()) {
        JsonBuilder* builder = json_builder_new();
        json_builder_begin_object(builder);
        for (const auto& feature : features) {
            json_builder_set_member_name(builder, feature.name.c_str());
            if (feature.isSwitch)
                json_builder_add_boolean_value(builder, feature.value == "1");
            else
                json_builder_add_string_value(builder, feature.value.c_str());
        }
        json_builder_end_object(builder);
        msg_sim::printJson(json_builder_get_root(builder));
        g_object_unref(builder);
        return;
    }
    for (const auto& feature : features) {
        std::string value =
            feature.isSwitch ? (feature.value == "1" ? "on" : "off") : "\"" + feature.value + "\"";
        std::printf("%-32s %-4s %-10s %s\n", feature.name.c_str(), value.c_str(),
                    FeatureStore::kindName(feature.kind), feature.meaning);
    }
}

int runFeature(msg_sim::SimArgs& args) {
    if (!args.ok(2))
        return msg_sim::simUsageError(args, args.error());
    const auto& rest = args.rest();
    if (rest.empty()) {
        printFeatures(args, FeatureStore::all());
        return 0;
    }
    Feature feature;
    if (!FeatureStore::resolve(rest[0], feature))
        return msg_sim::simFailure(args, "no feature " + rest[0] + " (msg-sim feature lists them)");
    if (rest.size() == 2) {
        std::string error;
        if (!FeatureStore::set(rest[0], rest[1], &error))
            return msg_sim::simUsageError(args, error);
        FeatureStore::resolve(rest[0], feature);
    }
    printFeatures(args, {feature});
    return 0;
}

} // namespace

void msg_sim::registerSettingsCommands() {
    addSimCommand({"get", "[KEY]", "shows a device setting, or all of them", runGet});
    addSimCommand({"set", "KEY VALUE [--type int|bool|double|string]", "changes a device setting", runSet});
    addSimCommand({"pref", "APP [KEY [VALUE]] [--type TYPE] [--remove]",
                   "shows or changes an application's preferences", runPref});
    addSimCommand({"feature", "[NAME [on|off|TEXT]]", "shows or changes device features and carrier switches",
                   runFeature});
}
