#include "device/Device.h"

#include "device/ChangeFeed.h"
#include "log/PlatformLog.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace msg_device {

namespace {

constexpr const char* kDatabaseName = "device.db";
constexpr const char* kCommitSignalName = "changes.signal";
// "MSGD": marks a database as a device database.
constexpr int kApplicationId = 0x4D534744;
// Change rows older than this are pruned; a process that sleeps longer loses nothing
// it has not already been told about when it started.
constexpr int kChangeRetentionSeconds = 600;
constexpr int kPruneEveryWrites = 200;

const SchemaModule& coreSchema() {
    static const SchemaModule core{"device",
                                   {
                                       "CREATE TABLE changes("
                                       " seq INTEGER PRIMARY KEY AUTOINCREMENT,"
                                       " topic TEXT NOT NULL,"
                                       " payload TEXT NOT NULL,"
                                       " time INTEGER NOT NULL);",
                                   }};
    return core;
}

bool makeDirs(const std::string& dir) {
    std::string path;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = dir.find('/', pos + 1);
        path = dir.substr(0, pos);
        if (path.empty())
            continue;
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

std::mutex& defaultMutex() {
    static std::mutex m;
    return m;
}

std::unique_ptr<Device>& defaultDevice() {
    static std::unique_ptr<Device> device;
    return device;
}

thread_local Device::Failure tLastWriteFailure = Device::Failure::NONE;

// The devices alive in the process, so that a thread that ends knows whether its device still is.
// Never destroyed: the process's default device is destroyed after them at exit.
std::mutex& liveMutex() {
    static auto* m = new std::mutex();
    return *m;
}

std::set<const Device*>& liveDevices() {
    static auto* devices = new std::set<const Device*>();
    return *devices;
}

// A worker thread's connections close when it ends: a pool that starts a new thread for each job
// would otherwise keep a connection, its file handles and its page cache for every thread it ran.
struct ThreadConnections {
    std::vector<std::function<void()>> releases;
    ~ThreadConnections() {
        for (auto& release : releases)
            release();
    }
};
thread_local ThreadConnections tConnections;

// The process's own thread keeps its connection to the end: exit handlers still use it.
bool isWorkerThread() {
    return static_cast<pid_t>(syscall(SYS_gettid)) != getpid();
}

// Below this a database cannot grow its files (the -shm index alone takes 32 KiB).
constexpr unsigned long long kFullDiskBytes = 1024 * 1024;

bool exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

bool writable(const std::string& path) {
    return access(path.c_str(), W_OK) == 0;
}

// A failed SQLite call that the disk explains: SQLite says "full" when a write finds no room, but
// only an I/O error when the index it needs for reading cannot be made.
bool failedForFullDisk(int rc, const std::string& dir) {
    struct statvfs fs {};
    bool nearlyFull = statvfs(dir.c_str(), &fs) == 0 &&
                      static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize < kFullDiskBytes;
    return (rc & 0xff) == SQLITE_FULL || ((rc & 0xff) == SQLITE_IOERR && nearlyFull);
}

std::string failureText(const std::string& dir, Device::Failure failure) {
    switch (failure) {
    case Device::Failure::NONE:
        break;
    case Device::Failure::READ_ONLY:
        return "the device folder " + dir + " is read-only";
    case Device::Failure::DISK_FULL:
        return "the disk of the device folder " + dir + " is full";
    case Device::Failure::OTHER:
        return "the device database in " + dir + " cannot be written";
    }
    return "";
}

} // namespace

void ChangeLog::append(const std::string& topic, const std::string& payload) {
    _entries.emplace_back(topic, payload);
}

std::string Device::defaultDir() {
    if (const char* dir = std::getenv("MSG_DEVICE_DIR"); dir && *dir)
        return dir;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/msg-device";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share/msg-device";
}

Device* Device::getDefault() {
    std::lock_guard<std::mutex> lock(defaultMutex());
    auto& device = defaultDevice();
    if (!device) {
        std::string error;
        device = open(defaultDir(), &error);
        if (!device)
            PLAT_LOGE("cannot open the device: %s", error.c_str());
    }
    return device.get();
}

Device* Device::getDefaultWith(const SchemaModule& module) {
    Device* device = getDefault();
    PLAT_RETV_IF(!device, nullptr, "no device");
    PLAT_RETV_IF(!device->ensureSchema(module), nullptr, "the device's %s tables are unavailable",
                 module.name.c_str());
    return device;
}

void Device::closeDefault() {
    std::lock_guard<std::mutex> lock(defaultMutex());
    defaultDevice().reset();
}

std::unique_ptr<Device> Device::open(const std::string& dir, std::string* error) {
    std::string reason;
    std::string path = dir + "/" + kDatabaseName;
    if (dir.empty()) {
        reason = "no device folder";
    } else if (!makeDirs(dir)) {
        reason = "cannot create " + dir + ": " + std::strerror(errno);
    } else if (!writable(dir) || (exists(path) && !writable(path))) {
        return _openReadOnly(dir, Failure::READ_ONLY, error);
    } else {
        Connection::clearFailure();
        auto first = Connection::open(path, true, &reason);
        if (first) {
            std::unique_ptr<Device> device(new Device(dir, std::move(first), Failure::NONE));
            if (device->_checkIdentity(&reason) && device->ensureSchema(coreSchema()))
                return device;
            if (reason.empty())
                reason = "cannot prepare the device database in " + dir;
        }
        // Too full to open for writing: what is stored can still be read.
        if (failedForFullDisk(Connection::lastFailure(), dir) && exists(path))
            return _openReadOnly(dir, Failure::DISK_FULL, error);
    }
    if (error)
        *error = reason;
    return nullptr;
}

std::unique_ptr<Device> Device::_openReadOnly(const std::string& dir, Failure why, std::string* error) {
    std::string reason;
    std::string path = dir + "/" + kDatabaseName;
    std::unique_ptr<Device> device;
    if (auto first = exists(path) ? Connection::openReadOnly(path, &reason) : nullptr) {
        device.reset(new Device(dir, std::move(first), why));
        if (device->_checkIdentity(&reason) && device->ensureSchema(coreSchema())) {
            PLAT_LOGW("%s: what it holds is shown, changes cannot be saved", device->describe(why).c_str());
            return device;
        }
    } else if (reason.empty()) {
        reason = failureText(dir, why) + " and holds no device database";
    }
    if (error)
        *error = reason.empty() ? "cannot read the device database " + path : reason;
    return nullptr;
}

Device::Failure Device::lastWriteFailure() {
    return tLastWriteFailure;
}

std::string Device::describe(Failure failure) const {
    return failureText(_dir, failure);
}

Device::Device(std::string dir, std::unique_ptr<Connection> first, Failure readOnly)
    : _dir(std::move(dir)), _readOnly(readOnly) {
    if (first)
        _connections[std::this_thread::get_id()] = std::move(first);
    std::lock_guard<std::mutex> live(liveMutex());
    liveDevices().insert(this);
}

Device::~Device() {
    {
        std::lock_guard<std::mutex> live(liveMutex());
        liveDevices().erase(this);
    }
    _feed.reset();
    std::lock_guard<std::mutex> lock(_mutex);
    _connections.clear();
    if (_signalFd >= 0)
        close(_signalFd);
}

std::string Device::databasePath() const {
    return _dir + "/" + kDatabaseName;
}

Connection* Device::connection() {
    std::lock_guard<std::mutex> lock(_mutex);
    auto& slot = _connections[std::this_thread::get_id()];
    if (!slot) {
        std::string error;
        slot = _readOnly != Failure::NONE ? Connection::openReadOnly(databasePath(), &error)
                                          : Connection::open(databasePath(), false, &error);
        if (!slot) {
            PLAT_LOGE("%s", error.c_str());
            _connections.erase(std::this_thread::get_id());
            return nullptr;
        }
        std::thread::id thread = std::this_thread::get_id();
        if (isWorkerThread())
            tConnections.releases.push_back([this, thread] {
                std::lock_guard<std::mutex> live(liveMutex());
                if (!liveDevices().count(this))
                    return;
                std::lock_guard<std::mutex> lock(_mutex);
                _connections.erase(thread);
            });
    }
    return slot.get();
}

bool Device::_checkIdentity(std::string* error) {
    Connection* connection = this->connection();
    if (!connection) {
        *error = "cannot open the device database " + databasePath();
        return false;
    }
    Connection& db = *connection;
    // The first read tells a corrupt or non-database file from a good one. Statements are
    // finished before the pragmas below, which cannot run inside an open read.
    int appId = 0;
    int tableCount = 0;
    {
        Statement id = db.prepare("PRAGMA application_id");
        Statement tables = db.prepare("SELECT count(*) FROM sqlite_master");
        if (!id.valid() || !id.step() || !tables.valid() || !tables.step()) {
            int rc = Connection::lastFailure() & 0xff;
            if (rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB)
                *error = "the device database " + databasePath() +
                         " is corrupt or not a database: " + db.lastError();
            else if (failedForFullDisk(Connection::lastFailure(), _dir))
                *error = describe(Failure::DISK_FULL);
            else
                *error = "cannot read the device database " + databasePath() + ": " + db.lastError();
            return false;
        }
        appId = id.columnInt(0);
        tableCount = tables.columnInt(0);
    }
    if (appId != kApplicationId && (appId != 0 || tableCount != 0)) {
        *error = "the database " + databasePath() + " belongs to another program";
        return false;
    }
    if (_readOnly != Failure::NONE)
        return true;
    // Only what is missing is written: opening a device must not need room on its disk.
    std::string setup = "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;";
    if (appId != kApplicationId)
        setup += " PRAGMA application_id=" + std::to_string(kApplicationId) + ";";
    setup +=
        " CREATE TABLE IF NOT EXISTS schema_versions(module TEXT PRIMARY KEY, version INTEGER NOT NULL);";
    if (db.exec(setup))
        return true;
    *error = failedForFullDisk(Connection::lastFailure(), _dir)
                 ? describe(Failure::DISK_FULL)
                 : "cannot prepare the device database " + databasePath() + ": " + db.lastError();
    return false;
}

namespace {
int storedVersion(Connection& db, const std::string& module) {
    Statement read = db.prepare("SELECT version FROM schema_versions WHERE module = ?");
    read.bind(1, module);
    return read.valid() && read.step() ? read.columnInt(0) : 0;
}
} // namespace

bool Device::ensureSchema(const SchemaModule& module) {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        if (_readyModules.count(module.name))
            return true;
    }
    Connection* db = connection();
    PLAT_RETV_IF(!db, false, "no connection");
    int known = static_cast<int>(module.migrations.size());
    // Tables that are there already are only read: a read-only device or a full disk opens too.
    if (storedVersion(*db, module.name) != known) {
        PLAT_RETV_IF(_readOnly != Failure::NONE, false, "%s: the device's %s tables cannot be made",
                     describe(_readOnly).c_str(), module.name.c_str());
        Transaction tx(*db);
        PLAT_RETV_IF(!tx.active(), false, "cannot begin: %s", db->lastError().c_str());
        int version = storedVersion(*db, module.name);
        if (version > known) {
            PLAT_LOGE("device schema '%s' is version %d, newer than this program's %d", module.name.c_str(),
                      version, known);
            return false;
        }
        for (int v = version; v < known; ++v) {
            if (!db->exec(module.migrations[v])) {
                PLAT_LOGE("migration of '%s' to version %d failed", module.name.c_str(), v + 1);
                return false;
            }
        }
        Statement write = db->prepare("INSERT OR REPLACE INTO schema_versions(module, version) VALUES(?, ?)");
        write.bind(1, module.name).bind(2, known);
        if (!write.exec() || !tx.commit())
            return false;
    }
    std::lock_guard<std::mutex> lock(_mutex);
    _readyModules.insert(module.name);
    return true;
}

bool Device::_refuseWrite(Failure failure) {
    tLastWriteFailure = failure;
    PLAT_LOGE("%s: changes cannot be saved", describe(failure).c_str());
    return false;
}

bool Device::write(const WriteFn& fn) {
    tLastWriteFailure = Failure::NONE;
    if (_readOnly != Failure::NONE)
        return _refuseWrite(_readOnly);
    Connection* db = connection();
    if (!db) {
        tLastWriteFailure = Failure::OTHER;
        PLAT_LOGE("no connection");
        return false;
    }
    Connection::clearFailure();
    // A failed statement or commit says why; fn refusing on its own is no storage failure.
    auto failed = [this]() {
        int rc = Connection::lastFailure();
        if (rc != 0 && failedForFullDisk(rc, _dir))
            return _refuseWrite(Failure::DISK_FULL);
        tLastWriteFailure = rc != 0 ? Failure::OTHER : Failure::NONE;
        return false;
    };
    ChangeLog log;
    {
        Transaction tx(*db);
        if (!tx.active()) {
            PLAT_LOGE("cannot begin a write: %s", db->lastError().c_str());
            return failed();
        }
        if (!fn(*db, log))
            return failed();
        if (!log.entries().empty()) {
            Statement insert = db->prepare("INSERT INTO changes(topic, payload, time) VALUES(?, ?, ?)");
            int64_t now = static_cast<int64_t>(std::time(nullptr));
            for (const auto& [topic, payload] : log.entries()) {
                insert.reset();
                insert.bind(1, topic).bind(2, payload).bind(3, now);
                if (!insert.exec())
                    return failed();
            }
        }
        if (!tx.commit()) {
            PLAT_LOGE("commit failed: %s", db->lastError().c_str());
            return failed();
        }
    }
    // Subscribers in this process hear of the change the way other processes do: through the
    // folder watch, never from inside this call.
    if (!log.entries().empty()) {
        _announceCommit();
        _pruneChanges(*db);
    }
    return true;
}

// The WAL file is written before a commit is published, and publishing raises no file event,
// so a watcher may look too early and then hear nothing more. A write to this file after the
// commit gives every watcher an event that comes after the change is visible.
void Device::_announceCommit() {
    std::lock_guard<std::mutex> lock(_mutex);
    if (_signalFd < 0) {
        _signalFd = ::open((_dir + "/" + kCommitSignalName).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        PLAT_RET_IF(_signalFd < 0, "cannot open the commit signal: %s", std::strerror(errno));
    }
    if (pwrite(_signalFd, "c", 1, 0) != 1)
        PLAT_LOGE("cannot signal a commit: %s", std::strerror(errno));
}

void Device::_pruneChanges(Connection& connection) {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        if (++_writesSincePrune < kPruneEveryWrites)
            return;
        _writesSincePrune = 0;
    }
    Statement prune = connection.prepare("DELETE FROM changes WHERE time < ?");
    prune.bind(1, static_cast<int64_t>(std::time(nullptr)) - kChangeRetentionSeconds);
    prune.exec();
}

ChangeFeed& Device::feed() {
    std::lock_guard<std::mutex> lock(_mutex);
    if (!_feed)
        _feed = std::make_unique<ChangeFeed>(*this);
    return *_feed;
}

} // namespace msg_device
