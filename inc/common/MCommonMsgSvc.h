/*
 * The watch's own messaging service, used when the watch sends from its own
 * SIM: sending and retrieving, the MMS size limit, the block list and the
 * cell-broadcast options. A service handle may only be used by the thread
 * that opened it, so each thread gets its own instance.
 */
#ifndef MSG_APP_COMMON_MCOMMONMSGSVC_H
#define MSG_APP_COMMON_MCOMMONMSGSVC_H

#include "msg.h"
#include "vconf.h"

#include <sys/types.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace msg_app {

class MCommonMsgSvc {
public:
    // The calling thread's instance.
    static MCommonMsgSvc* getInstance();
    // Closes every handle and stops following the service's restarts; at termination.
    static void release();

    // *outSendRet receives the service's result; outMsgId, when given, the new message's id.
    bool sendMsg(msg_struct_t msg, msg_struct_t sendOpt, bool isMms, int* outSendRet,
                 int* outMsgId = nullptr);
    bool retrieveMsg(msg_struct_t msg, msg_struct_t sendOpt);
    // New structures owned by the caller (msg_release_struct); outputs unchanged on failure.
    bool getMmsData(int msgId, msg_struct_t* outMsg, msg_struct_t* outMms, msg_struct_t* outSendOpt);
    // The largest MMS in bytes, 0 when unknown.
    int getMsgSize();

    // The block list, in every mode: the phone filters by it as the watch's own modem does.
    bool addBlockNumber(const char* address);
    bool removeBlockNumber(const char* address);
    bool removeBlockNumber(const std::vector<std::string>& addresses);
    bool getBlockNumberList(std::vector<std::string>& outList);

    // The current options in a new structure (destroyCBOpt), or null.
    msg_struct_t createCBOpt();
    // The service's result; -2 for a null option.
    int setCBOpt(msg_struct_t opt);
    void destroyCBOpt(msg_struct_t* opt);

private:
    explicit MCommonMsgSvc(pid_t tid);
    ~MCommonMsgSvc();
    MCommonMsgSvc(const MCommonMsgSvc&) = delete;
    MCommonMsgSvc& operator=(const MCommonMsgSvc&) = delete;

    // A handle opened for one call on the block list, closed with it.
    struct BlockListHandle {
        msg_handle_t handle = nullptr;
        ~BlockListHandle();
    };
    msg_handle_t _getBlockListHandle(BlockListHandle& scoped);

    // Lives as long as a thread that made an instance, and ends that instance with it.
    struct ThreadExit {
        ~ThreadExit();
    };

    static void _destroy();
    static void _serviceReadyChangedCb(keynode_t* node, void* data);

    void _open();
    void _close();
    // The handle, reopened first when the service restarted since this thread last used it.
    msg_handle_t _getHandle();
    msg_struct_t _createRequest(msg_struct_t msg, msg_struct_t sendOpt);
    bool _readFilters(msg_handle_t handle, msg_struct_list_s* filters);
    void _unblock(msg_handle_t handle, msg_struct_t filter);

    static std::mutex _mapMutex;
    static std::map<pid_t, MCommonMsgSvc*> _instanceMap;
    static bool _watchingReady;

    const pid_t _tid;
    msg_handle_t _handle = nullptr;
    std::atomic<bool> _reopenPending{false};
};

} // namespace msg_app

#endif
