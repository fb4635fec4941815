#include "common/MsgLog.h"

#include <mutex>
#include <set>
#include <string>

namespace msg_app {
namespace log {
namespace {

constexpr const char* kDefaultTag = "MSG_APP";

// Tags are interned and never freed, so a pointer returned by tag() stays
// valid while another thread replaces the tag.
struct TagStore {
    std::mutex mutex;
    std::set<std::string> interned;
    const char* current = kDefaultTag;
};

TagStore& store() {
    static TagStore* s = new TagStore();
    return *s;
}

} // namespace

const char* tag() {
    TagStore& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.current;
}

void setTag(const char* newTag) {
    TagStore& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!newTag || !*newTag) {
        s.current = kDefaultTag;
        return;
    }
    s.current = s.interned.insert(newTag).first->c_str();
}

} // namespace log
} // namespace msg_app
