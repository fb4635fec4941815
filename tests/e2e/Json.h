// Reading the JSON that msg-sim and msg-app's inspection port answer with.
#ifndef MSG_TESTS_E2E_JSON_H
#define MSG_TESTS_E2E_JSON_H

#include <json-glib/json-glib.h>

#include <functional>
#include <string>
#include <vector>

namespace msg_e2e {

// A member's value, 0 or "" when it is missing.
int intOf(JsonObject* o, const char* name);
std::string stringOf(JsonObject* o, const char* name);
// Calls `each` with every object of the JSON array `json`; false when `json` is not one.
bool forEachObject(const std::string& json, const std::function<void(JsonObject*)>& each);
// The ids of the objects of the JSON array `json` that `wanted` takes, in their order.
std::vector<int> idsWhere(const std::string& json, const std::function<bool(JsonObject*)>& wanted);

} // namespace msg_e2e

#endif
