/*
 * The phone/watch number-sharing service: its status on the carrier that
 * supports it, and the user's choice of how many days of shared messages
 * to show.
 */
#ifndef MSG_APP_COMMON_MCOMMONNUMBERSYNC_H
#define MSG_APP_COMMON_MCOMMONNUMBERSYNC_H

#include "merrowin.h"

namespace msg_app {

class MCommonNumberSync {
public:
    typedef int NmsXDaysRangeType;

    static MCommonNumberSync* getInstance();
    void release();

    bool isSalescodeSupported();
    // *outStatus is written only on success; false without touching the service on other carriers.
    bool getStatus(int* outStatus);
    bool getXDaysRangeType(NmsXDaysRangeType* type);
    bool setXDaysRangeType(NmsXDaysRangeType type);

private:
    MCommonNumberSync() = default;
    ~MCommonNumberSync();
    MCommonNumberSync(const MCommonNumberSync&) = delete;
    MCommonNumberSync& operator=(const MCommonNumberSync&) = delete;

    static void _destroy();
    bool _init();

    static MCommonNumberSync* _instance;
    merrowin_h _handle = nullptr;
};

} // namespace msg_app

#endif
