// Output helpers shared by the settings, launch, journal and profile commands.
#ifndef MSG_SIM_SIMSETTINGSOUTPUT_H
#define MSG_SIM_SIMSETTINGSOUTPUT_H

#include "SettingValue.h"

#include <json-glib/json-glib.h>

#include <string>

namespace msg_sim {

// Prints the node as pretty JSON on stdout and frees it.
void printJson(JsonNode* node);
// Adds the value to the builder as a JSON number, boolean or string.
void addJsonValue(JsonBuilder* builder, const msg_services::SettingValue& value);
// "42", "true", "\"text\"".
std::string displayValue(const msg_services::SettingValue& value);
// A value given on the command line, typed by typeName, else by the fallback type, else guessed.
bool parseCommandValue(const std::string& text, const std::string& typeName, msg_services::ValueType fallback,
                       msg_services::SettingValue& out, std::string& error);
// A decimal number for --limit and the like; false when the text is not one.
bool parseCount(const std::string& text, long long& out);

} // namespace msg_sim

#endif
