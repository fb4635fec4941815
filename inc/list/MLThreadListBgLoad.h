/*
 * Reads the conversations on a worker thread started at launch, before the
 * list screen exists, and records the storage changes that arrive meanwhile so
 * that the list can replay them once it has taken the preloaded conversations.
 * The worker reads the first page and waits there until a conversation beyond
 * it is wanted: the first frame needs only the first screens.
 */
#ifndef MSG_APP_LIST_MLTHREADLISTBGLOAD_H
#define MSG_APP_LIST_MLTHREADLISTBGLOAD_H

#include "common/MCommonStoreSubscription.h"
#include "msg_store/Thread.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
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
        STARTED = 1, // the reading is started, still the loader's
        TAKEN = 2,   // the reading was taken over
    };
    // The conversations read before the worker waits for readOn(): more than the first screens hold.
    static constexpr size_t FIRST_PAGE = 64;

    // The conversations as the worker reads them, newest first. Whoever holds it last ends the
    // worker (at its next conversation) and joins it.
    class Reading {
    public:
        ~Reading();
        // Moves the conversations read since the last call to the end of `out`, first waiting until
        // at least `wanted` of them are there or the read has ended (0: no wait). False once the
        // read has ended and everything was taken.
        bool take(std::vector<msg_store::Thread>& out, size_t wanted);
        // Lets the worker read past the first page.
        void readOn();
        // When the read began; a change from then on is recorded for the list.
        time_t loadTime() const { return _loadTime; }
        // False when the store could not be read (what was read is still handed out).
        bool succeeded() const;

    private:
        friend class MLThreadListBgLoad;
        Reading() = default;
        void _run();
        bool _keep(msg_store::Thread&& thread);

        mutable std::mutex _mutex;
        std::condition_variable _changed;
        std::vector<msg_store::Thread> _read;
        size_t _readCount = 0;
        bool _pastFirstPage = false;
        bool _ended = false;
        bool _failed = false;
        bool _stop = false;
        time_t _loadTime = 0;
        std::thread _thread;
    };

    static MLThreadListBgLoad* getInstance();
    // NONE when no instance exists.
    static int getState();
    static void destroy();

    void start();
    // The reading start() began, for the list to take over; null before start() or once taken.
    std::shared_ptr<Reading> takeReading();

    // Stops recording and returns the payloads received since start(), in arrival order; null
    // when none arrived. The vector stays owned by the loader.
    std::vector<std::string>* getStorageChanges();

private:
    MLThreadListBgLoad() = default;
    ~MLThreadListBgLoad();
    MLThreadListBgLoad(const MLThreadListBgLoad&) = delete;
    MLThreadListBgLoad& operator=(const MLThreadListBgLoad&) = delete;

    void _unsubscribe();
    static void _storageChangedCb(const char* payload, void* userData);

    static MLThreadListBgLoad* _instance;

    State _state = NONE;
    std::shared_ptr<Reading> _reading;
    std::unique_ptr<std::vector<std::string>> _storageChanges;
    MCommonStoreSubscription _subscription;
};

} // namespace msg_list
} // namespace msg_app

#endif
