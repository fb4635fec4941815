/*
 * Hands out shared address and conversation-address objects, keeps them
 * matched with the contacts service and resolves whole conversation lists on a
 * background worker. Main loop only. It holds its objects weakly: each lives as
 * long as some screen holds it.
 */
#ifndef MSG_APP_COMMON_ADDR_MCOMMONADDRMGR_H
#define MSG_APP_COMMON_ADDR_MCOMMONADDRMGR_H

#include "common/IMCommonAppEventListener.h"
#include "common/addr/MCommonAddr.h"
#include "common/addr/MCommonConvAddr.h"
#include "view_kit/WThread.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace msg_app {

class MCommonAddrSyncJobs;

class MCommonAddrMgr : public IMCommonAppEventListener {
public:
    static MCommonAddrMgr* getInstance();
    // Stops listening, stops the background sync, disconnects from the contacts service and ends
    // the instance; objects handed out stay valid and keep their last names.
    static void release();

    bool connectContact();
    bool isContactConnected() const { return _isContactConnected; }

    bool getConvAddr(int convId, std::shared_ptr<MCommonConvAddr>& out);
    bool getAddr(const char* address, std::shared_ptr<MCommonAddr>& out);

    // Resolves every cached conversation not yet matched, one at a time, off the main loop.
    void startConvAddrBgContactSync();

    // Names every cached conversation again, as the numbers are now formatted, and tells the
    // screens their names changed.
    void renameAll();

    void appEventListener(MCommonAppEventType type) override;
    ~MCommonAddrMgr() override;

private:
    MCommonAddrMgr() = default;
    MCommonAddrMgr(const MCommonAddrMgr&) = delete;
    MCommonAddrMgr& operator=(const MCommonAddrMgr&) = delete;

    static void _destroy();
    static void _contactChangedCb(const char* viewUri, void* data);

    std::shared_ptr<MCommonConvAddr> _findConvAddr(int convId);
    // Live objects, collected first so that one dying meanwhile cannot disturb the walk.
    std::vector<std::shared_ptr<MCommonConvAddr>> _liveConvAddrs();
    std::vector<std::shared_ptr<MCommonAddr>> _liveAddrs();
    void _onConvAddrDestroyed(int convId);
    void _onAddrDestroyed(const std::string& address);
    void _updateAllContactInfo();

    static void _syncWorker(MCommonAddrSyncJobs& jobs, const void* jobsKey,
                            view_kit::WThread::IStatus* status);
    void _syncNotifyCb(void* data);
    void _syncFinishedCb();
    void _cancelConvAddrSyncThread();
    void _deleteSyncJobs();

    static MCommonAddrMgr* _instance;

    bool _isContactConnected = false;
    bool _hasMissedContactEvent = false;
    std::map<int, std::weak_ptr<MCommonConvAddr>> _convAddrMap;
    std::map<std::string, std::weak_ptr<MCommonAddr>> _addrMap;
    // A fresh worker per run, so that a cancelled one still winding down never blocks the next.
    std::unique_ptr<view_kit::WThread> _syncThread;
    // The running sync's job list; the worker holds a reference of its own.
    std::shared_ptr<MCommonAddrSyncJobs> _syncJobs;
};

} // namespace msg_app

#endif
