/*
 * The simulated device: one folder holding one SQLite database in WAL mode.
 * Each platform service keeps its tables in a schema module with its own
 * version and migrations, applied on first use. Every write runs in one
 * transaction together with the change-feed rows it produces, so that other
 * processes see the data and the notice of it at the same moment.
 */
#ifndef MSG_DEVICE_DEVICE_H
#define MSG_DEVICE_DEVICE_H

#include "device/Connection.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace msg_device {

class ChangeFeed;

// The rows of the change feed that a write produces; committed with it.
class ChangeLog {
public:
    void append(const std::string& topic, const std::string& payload);
    const std::vector<std::pair<std::string, std::string>>& entries() const { return _entries; }

private:
    std::vector<std::pair<std::string, std::string>> _entries;
};

// A named group of tables with ordered migrations: migrations[i] brings the
// module from version i to version i + 1.
struct SchemaModule {
    std::string name;
    std::vector<std::string> migrations;
};

class Device {
public:
    using WriteFn = std::function<bool(Connection&, ChangeLog&)>;

    // $MSG_DEVICE_DIR, else $XDG_DATA_HOME/msg-device, else ~/.local/share/msg-device.
    static std::string defaultDir();
    // The process's device for defaultDir(), opened on first use; null (logged) when it cannot be opened.
    static Device* getDefault();
    // The process's device with a module's tables ready; null (logged) when either fails.
    static Device* getDefaultWith(const SchemaModule& module);
    // Closes the process's device; the next getDefault() opens defaultDir() again.
    static void closeDefault();

    // Opens or creates the device in a folder. A corrupt, foreign or newer database gives null and a reason.
    // A folder or database that cannot be written, or a disk too full for the database to be
    // opened for writing, opens it read-only: what is stored can be read, and writes are refused.
    static std::unique_ptr<Device> open(const std::string& dir, std::string* error);

    // Why a write was refused or failed.
    enum class Failure {
        NONE,
        READ_ONLY, // the folder or the database cannot be written
        DISK_FULL,
        OTHER,
    };
    // The failure of the calling thread's last write through any device, NONE after a success.
    static Failure lastWriteFailure();
    // "the device folder DIR is read-only", "the disk of the device folder DIR is full", ...
    std::string describe(Failure failure) const;
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    const std::string& dir() const { return _dir; }
    std::string databasePath() const;
    // Why this device cannot be written at all (READ_ONLY or DISK_FULL), else NONE.
    Failure readOnlyReason() const { return _readOnly; }

    // The calling thread's connection (each thread has its own).
    Connection* connection();

    // Creates or migrates a module's tables once per process; false (logged) when the stored
    // version is newer than the code or a migration fails.
    bool ensureSchema(const SchemaModule& module);

    // Runs fn inside one write transaction with the change rows it appends; fn returning false,
    // or a failed commit, rolls everything back.
    bool write(const WriteFn& fn);

    // The change feed of this device for the calling process (main loop only).
    ChangeFeed& feed();

private:
    Device(std::string dir, std::unique_ptr<Connection> first, Failure readOnly);
    static std::unique_ptr<Device> _openReadOnly(const std::string& dir, Failure reason, std::string* error);
    bool _checkIdentity(std::string* error);
    bool _refuseWrite(Failure failure);
    void _pruneChanges(Connection& connection);
    void _announceCommit();

    std::string _dir;
    Failure _readOnly = Failure::NONE;
    std::mutex _mutex;
    std::map<std::thread::id, std::unique_ptr<Connection>> _connections;
    std::set<std::string> _readyModules;
    std::unique_ptr<ChangeFeed> _feed;
    int _writesSincePrune = 0;
    int _signalFd = -1; // the commit signal file, opened on the first write
};

} // namespace msg_device

#endif
