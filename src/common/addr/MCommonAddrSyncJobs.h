/*
 * What the background contact sync shares between the main loop and its
 * worker: the conversation ids still to resolve, and the resolved copies on
 * their way to the main loop. Both sides hold a reference, so that neither a
 * cancel nor the manager's release frees it under the other; copies never
 * taken by the main loop are freed with it.
 */
#ifndef MSG_APP_COMMON_ADDR_MCOMMONADDRSYNCJOBS_H
#define MSG_APP_COMMON_ADDR_MCOMMONADDRSYNCJOBS_H

#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace msg_app {

class MCommonConvAddr;

class MCommonAddrSyncJobs {
public:
    explicit MCommonAddrSyncJobs(std::deque<int> convIds);
    ~MCommonAddrSyncJobs();
    MCommonAddrSyncJobs(const MCommonAddrSyncJobs&) = delete;
    MCommonAddrSyncJobs& operator=(const MCommonAddrSyncJobs&) = delete;

    // The next id; false when none is left.
    bool pop(int& convId);
    // Drops the ids not yet started.
    void clear();

    // The worker registers a copy before handing it over.
    void hold(MCommonConvAddr* copy);
    // The main loop takes a copy handed over; null for one this list does not hold. The pointer
    // is only compared, never followed, until it is found.
    std::unique_ptr<MCommonConvAddr> take(void* copy);

private:
    std::mutex _mutex;
    std::deque<int> _convIds;
    std::set<MCommonConvAddr*> _held;
};

} // namespace msg_app

#endif
