#include "JournalStore.h"

#include "AppRegistry.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <chrono>

namespace msg_services {

using msg_device::ChangeLog;
using msg_device::Connection;

namespace {

const msg_device::SchemaModule kSchema{"journal",
                                       {"CREATE TABLE journal("
                                        " seq INTEGER PRIMARY KEY AUTOINCREMENT,"
                                        " time_ms INTEGER NOT NULL,"
                                        " stream TEXT NOT NULL,"
                                        " app TEXT NOT NULL,"
                                        " category TEXT NOT NULL,"
                                        " text TEXT NOT NULL);"
                                        "CREATE INDEX journal_stream ON journal(stream, seq);"}};

msg_device::Device* device() {
    return msg_device::Device::getDefaultWith(kSchema);
}

const std::string& runningApp() {
    static const std::string app = AppRegistry::currentAppId();
    return app;
}

} // namespace

bool JournalStore::append(const std::string& stream, const std::string& category, const std::string& text,
                          const std::string& app) {
    msg_device::Device* dev = device();
    if (!dev)
        return false;
    int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
    return dev->write([&](Connection& db, ChangeLog& log) {
        auto insert =
            db.prepare("INSERT INTO journal(time_ms, stream, app, category, text) VALUES(?, ?, ?, ?, ?)");
        insert.bind(1, now)
            .bind(2, stream)
            .bind(3, app.empty() ? runningApp() : app)
            .bind(4, category)
            .bind(5, text);
        if (!insert.exec())
            return false;
        log.append("journal/" + stream, category + " " + text);
        return true;
    });
}

std::vector<JournalEntry> JournalStore::list(const std::string& stream, size_t limit) {
    std::vector<JournalEntry> entries;
    msg_device::Device* dev = device();
    Connection* db = dev ? dev->connection() : nullptr;
    if (!db)
        return entries;
    // The newest `limit` entries, returned oldest first.
    auto select =
        db->prepare("SELECT seq, time_ms, stream, app, category, text FROM ("
                    " SELECT * FROM journal WHERE (?1 = '' OR stream = ?1) ORDER BY seq DESC LIMIT ?2"
                    ") ORDER BY seq");
    select.bind(1, stream).bind(2, limit ? static_cast<int64_t>(limit) : int64_t{-1});
    while (select.step()) {
        entries.push_back({select.columnInt64(0), select.columnInt64(1), select.columnText(2),
                           select.columnText(3), select.columnText(4), select.columnText(5)});
    }
    return entries;
}

bool JournalStore::clear(const std::string& stream) {
    msg_device::Device* dev = device();
    return dev && dev->write([&](Connection& db, ChangeLog&) {
        auto del = db.prepare("DELETE FROM journal WHERE ?1 = '' OR stream = ?1");
        del.bind(1, stream);
        return del.exec();
    });
}

} // namespace msg_services
