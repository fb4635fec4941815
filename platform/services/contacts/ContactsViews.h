/*
 * The views of the contacts service: each is a SELECT over the device's tables
 * with typed properties, so that filters, projections and records can be checked
 * against the view they name.
 */
#ifndef MSG_PLATFORM_CONTACTS_CONTACTSVIEWS_H
#define MSG_PLATFORM_CONTACTS_CONTACTSVIEWS_H

#include <string>
#include <vector>

namespace msg_device {
class Device;
}

namespace contacts_impl {

struct PropertyDef {
    unsigned int id;
    const char* column;
    bool isString;
};

struct ViewDef {
    const char* uri;
    const char* select;       // a SELECT whose columns are the properties' columns
    const char* changeGroup;  // the change-feed payload that concerns this view
    const char* defaultOrder; // a stable order for lists
    std::vector<PropertyDef> properties;

    const PropertyDef* property(unsigned int id) const;
};

// Null for an unknown or null URI.
const ViewDef* findView(const char* uri);

// The default device with the contacts tables ready; null (logged) when unavailable.
msg_device::Device* contactsDevice();
bool ensureContactsSchema(msg_device::Device* device);

} // namespace contacts_impl

#endif
