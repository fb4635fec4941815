#ifndef MSG_APP_SHELL_SCREENREGISTRY_H
#define MSG_APP_SHELL_SCREENREGISTRY_H

#include "view_kit/WContentViewController.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace msg_app {
namespace shell {

// The named first screens of the application's executables: each executable adds
// those it opens (AppScreens.h for msg-app, ShotScreens.h for msg-shot).
class ScreenRegistry {
public:
    using Factory = std::function<view_kit::WContentViewController*()>;

    static ScreenRegistry& getInstance();

    bool add(const char* name, const char* description, Factory factory);
    // One screen a row of a table of rows with a name and a description; make(row) builds it.
    template <typename Row, size_t N, typename Make> void addEach(const Row (&rows)[N], Make make) {
        for (const Row& row : rows)
            add(row.name, row.description, [row, make] { return make(row); });
    }
    // A new screen, not yet pushed; null for an unknown name.
    view_kit::WContentViewController* create(const std::string& name) const;
    bool contains(const std::string& name) const;
    // In registration order; the first one is shown when an executable names none.
    std::vector<std::string> names() const;
    std::string description(const std::string& name) const;

private:
    struct Entry {
        std::string name;
        std::string description;
        Factory factory;
    };
    const Entry* _find(const std::string& name) const;

    std::vector<Entry> _entries;
};

} // namespace shell
} // namespace msg_app

#endif
