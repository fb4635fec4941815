/*
 * Reads every conversation on a worker thread started at launch, before the
 * list screen exists, and records the storage changes that arrive meanwhile so
 * that the list can replay them once it has taken the preloaded conversations.
 */
#ifndef MSG_APP_LIST_MLTHREADLISTBGLOAD_H
#define MSG_APP_LIST_MLTHREADLISTBGLOAD_H

#include "common/MCommonStoreSubscription.h"
#include "msg_store/Thread.h"

#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace msg_app {
namespace msg_list {

class MLThreadListBgLoad {
public:
    enum State : int {
        NONE = 0,
        STARTED = 1, // the worker thread runs or has run, not yet joined
        JOINED = 2,
    };

    static MLThreadListBgLoad* getInstance();
    // NONE when no instance exists.
    static int getState();
    static void destroy();

    void start();

    // Moves the conversations out (waiting for the worker first); empty once handed out.
    void getThreads(std::shared_ptr<std::vector<msg_store::Thread>>& threads);
    time_t getLoadTime();
    int getCount();

    // Stops recording and returns the payloads received since start(), in arrival order; null
    // when none arrived. The vector stays owned by the loader.
    std::vector<std::string>* getStorageChanges();

private:
    MLThreadListBgLoad() = default;
    ~MLThreadListBgLoad();
    MLThreadListBgLoad(const MLThreadListBgLoad&) = delete;
    MLThreadListBgLoad& operator=(const MLThreadListBgLoad&) = delete;

    void _waitForWorker();
    void _unsubscribe();
    static void _onThWorker(MLThreadListBgLoad* self);
    static void _storageChangedCb(const char* payload, void* userData);

    static MLThreadListBgLoad* _instance;

    State _state = NONE;
    std::thread _thread;
    std::mutex _mutex;
    time_t _loadTime = 0;
    std::shared_ptr<std::vector<msg_store::Thread>> _threads;
    std::unique_ptr<std::vector<std::string>> _storageChanges;
    MCommonStoreSubscription _subscription;
};

} // namespace msg_list
} // namespace msg_app

#endif
