#include "ScreenRegistry.h"

#include "common/MsgLog.h"

namespace msg_app {
namespace shell {

ScreenRegistry& ScreenRegistry::getInstance() {
    static auto* registry = new ScreenRegistry;
    return *registry;
}

const ScreenRegistry::Entry* ScreenRegistry::_find(const std::string& name) const {
    for (const Entry& entry : _entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

bool ScreenRegistry::add(const char* name, const char* description, Factory factory) {
    MSG_RETV_IF(!name || !*name, false, "name is empty");
    MSG_RETV_IF(!factory, false, "factory of %s is empty", name);
    MSG_RETV_IF(_find(name), false, "screen %s exists", name);
    _entries.push_back({name, description ? description : "", std::move(factory)});
    return true;
}

view_kit::WContentViewController* ScreenRegistry::create(const std::string& name) const {
    const Entry* entry = _find(name);
    MSG_RETV_IF(!entry, nullptr, "unknown screen %s", name.c_str());
    return entry->factory();
}

bool ScreenRegistry::contains(const std::string& name) const {
    return _find(name) != nullptr;
}

std::vector<std::string> ScreenRegistry::names() const {
    std::vector<std::string> names;
    for (const Entry& entry : _entries)
        names.push_back(entry.name);
    return names;
}

std::string ScreenRegistry::description(const std::string& name) const {
    const Entry* entry = _find(name);
    return entry ? entry->description : "";
}

} // namespace shell
} // namespace msg_app
