#include "SettingStore.h"

#include "device/Device.h"
#include "log/PlatformLog.h"

namespace msg_services {

using msg_device::ChangeLog;
using msg_device::Connection;
using msg_device::Device;

namespace {

const msg_device::SchemaModule kSchema{"settings",
                                       {"CREATE TABLE settings("
                                        " scope TEXT NOT NULL,"
                                        " key TEXT NOT NULL,"
                                        " type INTEGER NOT NULL,"
                                        " value TEXT NOT NULL,"
                                        " PRIMARY KEY(scope, key));"}};

Device* device() {
    return Device::getDefaultWith(kSchema);
}

SettingStore::Result readRow(Connection& db, const std::string& scope, const std::string& key,
                             SettingValue& out) {
    auto select = db.prepare("SELECT type, value FROM settings WHERE scope = ? AND key = ?");
    select.bind(1, scope).bind(2, key);
    if (!select.step())
        return select.failed() ? SettingStore::Result::Failed : SettingStore::Result::NotFound;
    out.type = static_cast<ValueType>(select.columnInt(0));
    out.text = select.columnText(1);
    return SettingStore::Result::Ok;
}

// Writes one row inside a transaction; appends the notice when the value changed.
bool writeRow(Connection& db, ChangeLog& log, const std::string& scope, const std::string& key,
              const SettingValue& value, const std::string& topic) {
    SettingValue old;
    SettingStore::Result found = readRow(db, scope, key, old);
    if (found == SettingStore::Result::Failed)
        return false;
    if (found == SettingStore::Result::Ok && old == value)
        return true;
    auto upsert = db.prepare("INSERT OR REPLACE INTO settings(scope, key, type, value) VALUES(?, ?, ?, ?)");
    upsert.bind(1, scope).bind(2, key).bind(3, static_cast<int>(value.type)).bind(4, value.text);
    if (!upsert.exec())
        return false;
    log.append(topic, value.encode());
    return true;
}

} // namespace

SettingStore::Result SettingStore::read(const std::string& scope, const std::string& key, SettingValue& out) {
    Device* dev = device();
    Connection* db = dev ? dev->connection() : nullptr;
    if (!db)
        return Result::Failed;
    return readRow(*db, scope, key, out);
}

bool SettingStore::write(const std::string& scope, const std::string& key, const SettingValue& value,
                         const std::string& topic) {
    Device* dev = device();
    if (!dev)
        return false;
    return dev->write(
        [&](Connection& db, ChangeLog& log) { return writeRow(db, log, scope, key, value, topic); });
}

bool SettingStore::writeAll(const std::string& scope,
                            const std::vector<std::pair<std::string, SettingValue>>& values,
                            std::string (*topicOf)(const std::string& key)) {
    Device* dev = device();
    if (!dev)
        return false;
    return dev->write([&](Connection& db, ChangeLog& log) {
        for (const auto& [key, value] : values) {
            if (!writeRow(db, log, scope, key, value, topicOf(key)))
                return false;
        }
        return true;
    });
}

SettingStore::Result SettingStore::remove(const std::string& scope, const std::string& key,
                                          const std::string& topic) {
    Device* dev = device();
    if (!dev)
        return Result::Failed;
    bool existed = false;
    bool ok = dev->write([&](Connection& db, ChangeLog& log) {
        auto del = db.prepare("DELETE FROM settings WHERE scope = ? AND key = ?");
        del.bind(1, scope).bind(2, key);
        if (!del.exec())
            return false;
        existed = db.changes() > 0;
        if (existed)
            log.append(topic, "");
        return true;
    });
    if (!ok)
        return Result::Failed;
    return existed ? Result::Ok : Result::NotFound;
}

std::vector<std::pair<std::string, SettingValue>> SettingStore::list(const std::string& scope) {
    std::vector<std::pair<std::string, SettingValue>> rows;
    Device* dev = device();
    Connection* db = dev ? dev->connection() : nullptr;
    if (!db)
        return rows;
    auto select = db->prepare("SELECT key, type, value FROM settings WHERE scope = ? ORDER BY key");
    select.bind(1, scope);
    while (select.step())
        rows.emplace_back(select.columnText(0),
                          SettingValue{static_cast<ValueType>(select.columnInt(1)), select.columnText(2)});
    return rows;
}

} // namespace msg_services
