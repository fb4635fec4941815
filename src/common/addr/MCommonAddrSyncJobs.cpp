#include "MCommonAddrSyncJobs.h"

#include "common/addr/MCommonConvAddr.h"

namespace msg_app {

MCommonAddrSyncJobs::MCommonAddrSyncJobs(std::deque<int> convIds) : _convIds(std::move(convIds)) {}

MCommonAddrSyncJobs::~MCommonAddrSyncJobs() {
    for (MCommonConvAddr* copy : _held)
        delete copy;
}

bool MCommonAddrSyncJobs::pop(int& convId) {
    std::lock_guard<std::mutex> lock(_mutex);
    if (_convIds.empty())
        return false;
    convId = _convIds.front();
    _convIds.pop_front();
    return true;
}

void MCommonAddrSyncJobs::clear() {
    std::lock_guard<std::mutex> lock(_mutex);
    _convIds.clear();
}

void MCommonAddrSyncJobs::hold(MCommonConvAddr* copy) {
    std::lock_guard<std::mutex> lock(_mutex);
    _held.insert(copy);
}

std::unique_ptr<MCommonConvAddr> MCommonAddrSyncJobs::take(void* copy) {
    std::lock_guard<std::mutex> lock(_mutex);
    auto it = _held.find(static_cast<MCommonConvAddr*>(copy));
    if (it == _held.end())
        return nullptr;
    std::unique_ptr<MCommonConvAddr> taken(*it);
    _held.erase(it);
    return taken;
}

} // namespace msg_app
