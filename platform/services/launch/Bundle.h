/*
 * The contents of a bundle, shared by bundle_* and the launch requests that
 * carry their extras in one, with its JSON form.
 */
#ifndef MSG_SERVICES_BUNDLE_H
#define MSG_SERVICES_BUNDLE_H

#include "bundle.h"

#include <json-glib/json-glib.h>

#include <map>
#include <string>
#include <vector>

struct _bundle_t {
    struct Entry {
        bool isArray = false;
        std::string text;
        std::vector<std::string> items;
        // Pointers into items, handed out by bundle_get_str_array.
        mutable std::vector<const char*> view;
    };
    std::map<std::string, Entry> entries;
};

namespace msg_services {

// BUNDLE_ERROR_* for a key or value that a bundle cannot hold.
int checkBundleKey(const char* key);
int checkBundleValue(const char* value);

// {"key": "value", "array": ["a", "b"]}
JsonNode* bundleToJson(const bundle& b);
// False (and b untouched) when the node is not such an object.
bool bundleFromJson(JsonNode* node, bundle& b);

std::string jsonToText(JsonNode* node);
// Null when the text is not JSON; the caller frees the node.
JsonNode* jsonFromText(const std::string& text);

} // namespace msg_services

#endif
