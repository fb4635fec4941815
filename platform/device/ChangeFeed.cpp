#include "device/ChangeFeed.h"

#include "device/Device.h"
#include "log/PlatformLog.h"

#include <sys/inotify.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace msg_device {

ChangeFeed::Subscription::Subscription(Subscription&& other) noexcept
    : _feed(std::exchange(other._feed, nullptr)), _id(std::exchange(other._id, 0)),
      _feedAlive(std::move(other._feedAlive)) {}

ChangeFeed::Subscription& ChangeFeed::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        reset();
        _feed = std::exchange(other._feed, nullptr);
        _id = std::exchange(other._id, 0);
        _feedAlive = std::move(other._feedAlive);
    }
    return *this;
}

void ChangeFeed::Subscription::reset() {
    if (_feed && !_feedAlive.expired())
        _feed->unsubscribe(_id);
    _feed = nullptr;
    _id = 0;
    _feedAlive.reset();
}

// The feed holds a reference on Ecore, so that its fd handler can still be removed when the
// device is closed after the program has shut its main loop down.
ChangeFeed::ChangeFeed(Device& device) : _device(device), _alive(std::make_shared<bool>(true)) {
    ecore_init();
}

ChangeFeed::~ChangeFeed() {
    _stopWatching();
    ecore_shutdown();
}

uint64_t ChangeFeed::subscribe(const std::string& topic, Callback callback) {
    PLAT_RETV_IF(!callback, 0, "callback is null");
    int64_t since = 0;
    if (_inotifyFd < 0) {
        if (!_startWatching())
            return 0;
        since = _lastSeq;
    } else if (!_lastCommitted(since)) {
        return 0;
    }
    uint64_t id = _nextId++;
    // Changes committed before now but not yet delivered to the others are not this one's.
    _subscribers[id] = Subscriber{topic, std::move(callback), since};
    return id;
}

ChangeFeed::Subscription ChangeFeed::subscribeScoped(const std::string& topic, Callback callback) {
    uint64_t id = subscribe(topic, std::move(callback));
    return id ? Subscription(this, id, _alive) : Subscription();
}

void ChangeFeed::unsubscribe(uint64_t id) {
    _subscribers.erase(id);
    if (_subscribers.empty() && !_polling)
        _stopWatching();
}

bool ChangeFeed::_lastCommitted(int64_t& seq) {
    Connection* db = _device.connection();
    PLAT_RETV_IF(!db, false, "no connection");
    Statement last = db->prepare("SELECT coalesce(max(seq), 0) FROM changes");
    PLAT_RETV_IF(!last.step(), false, "cannot read the change feed");
    seq = last.columnInt64(0);
    return true;
}

bool ChangeFeed::_startWatching() {
    if (!_lastCommitted(_lastSeq))
        return false;

    _inotifyFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    PLAT_RETV_IF(_inotifyFd < 0, false, "inotify_init1 failed");
    // Every write modifies the -wal file, and after its commit the device writes its commit
    // signal file; readers only touch the shared memory through mmap, which raises no event,
    // so watching cannot feed itself.
    if (inotify_add_watch(_inotifyFd, _device.dir().c_str(), IN_MODIFY | IN_CREATE | IN_MOVED_TO) < 0) {
        PLAT_LOGE("inotify_add_watch(%s) failed", _device.dir().c_str());
        _stopWatching();
        return false;
    }
    _fdHandler = ecore_main_fd_handler_add(_inotifyFd, ECORE_FD_READ, _inotifyCb, this, nullptr, nullptr);
    if (!_fdHandler) {
        PLAT_LOGE("ecore_main_fd_handler_add failed");
        _stopWatching();
        return false;
    }
    return true;
}

void ChangeFeed::_stopWatching() {
    if (_fdHandler) {
        ecore_main_fd_handler_del(_fdHandler);
        _fdHandler = nullptr;
    }
    if (_inotifyFd >= 0) {
        close(_inotifyFd);
        _inotifyFd = -1;
    }
}

Eina_Bool ChangeFeed::_inotifyCb(void* data, Ecore_Fd_Handler*) {
    auto* self = static_cast<ChangeFeed*>(data);
    char buffer[4096];
    while (read(self->_inotifyFd, buffer, sizeof(buffer)) > 0) {
    }
    self->poll();
    return ECORE_CALLBACK_RENEW;
}

void ChangeFeed::poll() {
    if (_polling || _subscribers.empty())
        return;
    Connection* db = _device.connection();
    PLAT_RET_IF(!db, "no connection");

    std::vector<Change> changes;
    Statement select = db->prepare("SELECT seq, topic, payload FROM changes WHERE seq > ? ORDER BY seq");
    select.bind(1, _lastSeq);
    while (select.step())
        changes.push_back(Change{select.columnInt64(0), select.columnText(1), select.columnText(2)});
    if (changes.empty())
        return;
    _lastSeq = changes.back().seq;

    // Callbacks may subscribe, unsubscribe or write; each change goes to those
    // subscribed when it is delivered.
    _polling = true;
    std::weak_ptr<bool> alive = _alive;
    for (const Change& change : changes) {
        std::vector<uint64_t> ids;
        for (const auto& [id, subscriber] : _subscribers) {
            if (subscriber.topic == change.topic && change.seq > subscriber.since)
                ids.push_back(id);
        }
        for (uint64_t id : ids) {
            auto it = _subscribers.find(id);
            if (it == _subscribers.end())
                continue;
            Callback callback = it->second.callback;
            callback(change);
            if (alive.expired())
                return;
        }
    }
    _polling = false;
    if (_subscribers.empty())
        _stopWatching();
}

} // namespace msg_device
