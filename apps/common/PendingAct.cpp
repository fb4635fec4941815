#include "PendingAct.h"

namespace msg_app {
namespace shell {

namespace {

int pendingActs = 0;

} // namespace

void PendingAct::begin() {
    if (_pending)
        return;
    _pending = true;
    ++pendingActs;
}

void PendingAct::end() {
    if (!_pending)
        return;
    _pending = false;
    --pendingActs;
}

int PendingAct::count() {
    return pendingActs;
}

} // namespace shell
} // namespace msg_app
