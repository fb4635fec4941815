#include "common/SingletonRelease.h"

#include "common/MsgLog.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace msg_app {
namespace singleton_release {
namespace {

struct Registry {
    std::mutex mutex;
    std::vector<Release> releases;
};

// Never destroyed: a release may be added while other static objects go away.
Registry& registry() {
    static Registry* r = new Registry();
    return *r;
}

} // namespace

void add(Release release) {
    MSG_RET_IF(!release, "release is null");
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.releases.erase(std::remove(r.releases.begin(), r.releases.end(), release), r.releases.end());
    r.releases.push_back(release);
}

void run_all() {
    Registry& r = registry();
    for (;;) {
        Release release = nullptr;
        {
            // Released outside the lock: a release may reach another service, which may register.
            std::lock_guard<std::mutex> lock(r.mutex);
            if (r.releases.empty())
                return;
            release = r.releases.back();
            r.releases.pop_back();
        }
        release();
    }
}

} // namespace singleton_release
} // namespace msg_app
