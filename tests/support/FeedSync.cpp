#include "FeedSync.h"

#include "MainLoop.h"
#include "vconf.h"

namespace msg_test {

namespace {

constexpr const char* kSyncKey = "memory/private/test/feed_sync";

void heardCb(keynode_t*, void* data) {
    *static_cast<bool*>(data) = true;
}

} // namespace

bool waitForEarlierChanges(double timeoutSeconds) {
    static int round = 0;
    // The key exists before it is watched; either write is later than what the caller waits for.
    if (vconf_set_int(kSyncKey, ++round) != VCONF_OK)
        return false;
    bool heard = false;
    if (vconf_notify_key_changed(kSyncKey, heardCb, &heard) != VCONF_OK)
        return false;
    bool ok =
        vconf_set_int(kSyncKey, ++round) == VCONF_OK && runLoopUntil([&] { return heard; }, timeoutSeconds);
    vconf_ignore_key_changed(kSyncKey, heardCb);
    return ok;
}

} // namespace msg_test
