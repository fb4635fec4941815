#include "device/Device.h"

#include "device/ChangeFeed.h"
#include "log/PlatformLog.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    if (dir.empty()) {
        reason = "no device folder";
    } else if (!makeDirs(dir)) {
        reason = "cannot create " + dir + ": " + std::strerror(errno);
    } else {
        auto first = Connection::open(dir + "/" + kDatabaseName, true, &reason);
        if (first) {
            std::unique_ptr<Device> device(new Device(dir, std::move(first)));
            if (device->_checkIdentity(&reason) && device->ensureSchema(coreSchema()))
                return device;
            if (reason.empty())
                reason = "cannot prepare the device database in " + dir;
        }
    }
    if (error)
        *error = reason;
    return nullptr;
}

Device::Device(std::string dir, std::unique_ptr<Connection> first) : _dir(std::move(dir)) {
    _connections[std::this_thread::get_id()] = std::move(first);
}

Device::~Device() {
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
        slot = Connection::open(databasePath(), false, &error);
        if (!slot) {
            PLAT_LOGE("%s", error.c_str());
            _connections.erase(std::this_thread::get_id());
            return nullptr;
        }
    }
    return slot.get();
}

bool Device::_checkIdentity(std::string* error) {
    Connection& db = *connection();
    // The first read tells a corrupt or non-database file from a good one. Statements are
    // finished before the pragmas below, which cannot run inside an open read.
    int appId = 0;
    int tableCount = 0;
    {
        Statement id = db.prepare("PRAGMA application_id");
        Statement tables = db.prepare("SELECT count(*) FROM sqlite_master");
        if (!id.valid() || !id.step() || !tables.valid() || !tables.step()) {
            *error =
                "the device database " + databasePath() + " is corrupt or not a database: " + db.lastError();
            return false;
        }
        appId = id.columnInt(0);
        tableCount = tables.columnInt(0);
    }
    if (appId != kApplicationId && (appId != 0 || tableCount != 0)) {
        *error = "the database " + databasePath() + " belongs to another program";
        return false;
    }
    return db.exec(
        "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON; "
        "PRAGMA application_id=" +
        std::to_string(kApplicationId) +
        "; CREATE TABLE IF NOT EXISTS schema_versions(module TEXT PRIMARY KEY, version INTEGER NOT NULL);");
}

bool Device::ensureSchema(const SchemaModule& module) {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        if (_readyModules.count(module.name))
            return true;
    }
    Connection* db = connection();
    PLAT_RETV_IF(!db, false, "no connection");
    Transaction tx(*db);
    PLAT_RETV_IF(!tx.active(), false, "cannot begin: %s", db->lastError().c_str());

    Statement read = db->prepare("SELECT version FROM schema_versions WHERE module = ?");
    read.bind(1, module.name);
    int version = read.step() ? read.columnInt(0) : 0;
    int known = static_cast<int>(module.migrations.size());
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
    if (version != known) {
        Statement write = db->prepare("INSERT OR REPLACE INTO schema_versions(module, version) VALUES(?, ?)");
        write.bind(1, module.name).bind(2, known);
        if (!write.exec() || !tx.commit())
            return false;
    }
    std::lock_guard<std::mutex> lock(_mutex);
    _readyModules.insert(module.name);
    return true;
}

bool Device::write(const WriteFn& fn) {
    Connection* db = connection();
    PLAT_RETV_IF(!db, false, "no connection");
    ChangeLog log;
    {
        Transaction tx(*db);
        PLAT_RETV_IF(!tx.active(), false, "cannot begin a write: %s", db->lastError().c_str());
        if (!fn(*db, log))
            return false;
        if (!log.entries().empty()) {
            Statement insert = db->prepare("INSERT INTO changes(topic, payload, time) VALUES(?, ?, ?)");
            int64_t now = static_cast<int64_t>(std::time(nullptr));
            for (const auto& [topic, payload] : log.entries()) {
                insert.reset();
                insert.bind(1, topic).bind(2, payload).bind(3, now);
                if (!insert.exec())
                    return false;
            }
        }
        if (!tx.commit()) {
            PLAT_LOGE("commit failed: %s", db->lastError().c_str());
            return false;
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
