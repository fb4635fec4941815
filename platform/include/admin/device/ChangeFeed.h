/*
 * Delivers the device's committed changes to subscribers on the Ecore main
 * loop, in commit order, whichever process wrote them. The database folder is
 * watched with inotify, so an idle process sleeps until a write happens.
 */
#ifndef MSG_DEVICE_CHANGEFEED_H
#define MSG_DEVICE_CHANGEFEED_H

#include <Ecore.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace msg_device {

class Device;

struct Change {
    int64_t seq;
    std::string topic;
    std::string payload;
};

class ChangeFeed {
public:
    using Callback = std::function<void(const Change&)>;

    // Unsubscribes when destroyed, unless the feed went first (a device closed before a
    // process-wide subscriber lets go).
    class Subscription {
    public:
        Subscription() = default;
        Subscription(ChangeFeed* feed, uint64_t id, std::weak_ptr<bool> feedAlive)
            : _feed(feed), _id(id), _feedAlive(std::move(feedAlive)) {}
        ~Subscription() { reset(); }
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        void reset();
        bool active() const { return _feed != nullptr; }

    private:
        ChangeFeed* _feed = nullptr;
        uint64_t _id = 0;
        std::weak_ptr<bool> _feedAlive;
    };

    explicit ChangeFeed(Device& device);
    ~ChangeFeed();
    ChangeFeed(const ChangeFeed&) = delete;
    ChangeFeed& operator=(const ChangeFeed&) = delete;

    // Changes committed after this call, on `topic`, reach the callback on the main loop.
    uint64_t subscribe(const std::string& topic, Callback callback);
    Subscription subscribeScoped(const std::string& topic, Callback callback);
    void unsubscribe(uint64_t id);

    // Reads and delivers every change not yet delivered; the folder watch calls it.
    void poll();

    int64_t lastDelivered() const { return _lastSeq; }

private:
    struct Subscriber {
        std::string topic;
        Callback callback;
        int64_t since; // the last change committed before it subscribed
    };

    bool _lastCommitted(int64_t& seq);
    bool _startWatching();
    void _stopWatching();
    static Eina_Bool _inotifyCb(void* data, Ecore_Fd_Handler* handler);

    Device& _device;
    std::map<uint64_t, Subscriber> _subscribers;
    uint64_t _nextId = 1;
    int64_t _lastSeq = 0;
    int _inotifyFd = -1;
    Ecore_Fd_Handler* _fdHandler = nullptr;
    bool _polling = false;
    // Expires with the feed, so that a callback that destroys it ends the delivery loop.
    std::shared_ptr<bool> _alive;
};

} // namespace msg_device

#endif
