#include "common/IMCommonScreenOpener.h"
#include "common/MsgLog.h"

#include <atomic>

namespace msg_app {
namespace screen_opener {
namespace {

std::atomic<IMCommonScreenOpener*> installed{nullptr};

} // namespace

void install(IMCommonScreenOpener* opener) {
    installed = opener;
}

IMCommonScreenOpener* get() {
    IMCommonScreenOpener* opener = installed;
    MSG_RETV_IF(!opener, nullptr, "no screen opener installed");
    return opener;
}

} // namespace screen_opener
} // namespace msg_app
