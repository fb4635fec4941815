#include "LaunchJournal.h"

#include "AppControl.h"

#include "device/Device.h"
#include "log/PlatformLog.h"

#include <chrono>

namespace msg_services {

using msg_device::ChangeLog;
using msg_device::Connection;

namespace {

const msg_device::SchemaModule kSchema{"launch",
                                       {"CREATE TABLE launches("
                                        " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                        " time_ms INTEGER NOT NULL,"
                                        " caller TEXT NOT NULL,"
                                        " target TEXT NOT NULL,"
                                        " operation TEXT NOT NULL,"
                                        " uri TEXT NOT NULL,"
                                        " launch_mode INTEGER NOT NULL,"
                                        " request TEXT NOT NULL,"
                                        " status TEXT NOT NULL,"
                                        " pid INTEGER NOT NULL DEFAULT 0,"
                                        " wants_reply INTEGER NOT NULL,"
                                        " terminate_requested INTEGER NOT NULL DEFAULT 0,"
                                        " result INTEGER,"
                                        " reply TEXT NOT NULL DEFAULT '');"}};

constexpr const char* kColumns =
    "id, time_ms, caller, target, operation, uri, launch_mode, request, status, pid, "
    "wants_reply, terminate_requested, result, reply";

msg_device::Device* device() {
    return msg_device::Device::getDefaultWith(kSchema);
}

LaunchEntry readEntry(const msg_device::Statement& row) {
    LaunchEntry e;
    e.id = row.columnInt64(0);
    e.timeMs = row.columnInt64(1);
    e.caller = row.columnText(2);
    e.target = row.columnText(3);
    e.operation = row.columnText(4);
    e.uri = row.columnText(5);
    e.launchMode = row.columnInt(6);
    e.request = row.columnText(7);
    e.status = row.columnText(8);
    e.pid = row.columnInt(9);
    e.wantsReply = row.columnInt(10) != 0;
    e.terminateRequested = row.columnInt(11) != 0;
    e.replied = !row.columnIsNull(12);
    e.result = row.columnInt(12);
    e.reply = row.columnText(13);
    return e;
}

bool updateRow(int64_t id, const char* sql, const std::string& topic, const std::string& payload,
               const std::function<void(msg_device::Statement&)>& bindRest) {
    msg_device::Device* dev = device();
    bool updated = false;
    bool ok = dev && dev->write([&](Connection& db, ChangeLog& log) {
        auto update = db.prepare(sql);
        bindRest(update);
        update.bind(1, id);
        if (!update.exec())
            return false;
        updated = db.changes() > 0;
        if (updated && !topic.empty())
            log.append(topic, payload);
        return true;
    });
    return ok && updated;
}

} // namespace

std::string LaunchJournal::replyTopic(int64_t id) {
    return "launch/reply/" + std::to_string(id);
}

std::string LaunchJournal::terminateTopic(int64_t id) {
    return "launch/terminate/" + std::to_string(id);
}

int64_t LaunchJournal::record(const LaunchEntry& e) {
    msg_device::Device* dev = device();
    if (!dev)
        return 0;
    int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
    int64_t id = 0;
    bool ok = dev->write([&](Connection& db, ChangeLog& log) {
        auto insert = db.prepare("INSERT INTO launches(time_ms, caller, target, operation, uri, launch_mode, "
                                 "request, status, wants_reply) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, now)
            .bind(2, e.caller)
            .bind(3, e.target)
            .bind(4, e.operation)
            .bind(5, e.uri)
            .bind(6, e.launchMode)
            .bind(7, e.request)
            .bind(8, e.status)
            .bind(9, e.wantsReply ? 1 : 0);
        if (!insert.exec())
            return false;
        id = db.lastInsertId();
        log.append("launch", std::to_string(id));
        return true;
    });
    return ok ? id : 0;
}

bool LaunchJournal::setOutcome(int64_t id, const std::string& status, int pid) {
    return updateRow(id, "UPDATE launches SET status = ?2, pid = ?3 WHERE id = ?1", "", "",
                     [&](msg_device::Statement& s) { s.bind(2, status).bind(3, pid); });
}

LaunchJournal::ReplyResult LaunchJournal::recordReply(int64_t id, int result, const std::string& replyJson) {
    LaunchEntry entry;
    if (!find(id, entry))
        return ReplyResult::NotFound;
    // Only the first reply counts; the condition is checked again inside the write.
    bool ok = updateRow(id, "UPDATE launches SET result = ?2, reply = ?3 WHERE id = ?1 AND result IS NULL",
                        replyTopic(id), std::to_string(result) + "\n" + replyJson,
                        [&](msg_device::Statement& s) { s.bind(2, result).bind(3, replyJson); });
    if (ok)
        return ReplyResult::Ok;
    return find(id, entry) && entry.replied ? ReplyResult::AlreadyReplied : ReplyResult::Failed;
}

bool LaunchJournal::requestTerminate(int64_t id) {
    return updateRow(id, "UPDATE launches SET terminate_requested = 1 WHERE id = ?1", terminateTopic(id), "",
                     [](msg_device::Statement&) {});
}

app_control_h LaunchJournal::openReceived(int64_t id) {
    LaunchEntry entry;
    PLAT_RETV_IF(!find(id, entry), nullptr, "no launch #%lld", static_cast<long long>(id));
    app_control_h request = nullptr;
    PLAT_RETV_IF(app_control_create(&request) != APP_CONTROL_ERROR_NONE, nullptr,
                 "app_control_create() failed");
    if (!appControlFromJson(entry.request, *request)) {
        app_control_destroy(request);
        return nullptr;
    }
    request->requestId = id;
    return request;
}

bool LaunchJournal::find(int64_t id, LaunchEntry& out) {
    msg_device::Device* dev = device();
    Connection* db = dev ? dev->connection() : nullptr;
    if (!db)
        return false;
    std::string sql = std::string("SELECT ") + kColumns + " FROM launches WHERE id = ?";
    auto select = db->prepare(sql.c_str());
    select.bind(1, id);
    if (!select.step())
        return false;
    out = readEntry(select);
    return true;
}

std::vector<LaunchEntry> LaunchJournal::list(size_t limit) {
    std::vector<LaunchEntry> entries;
    msg_device::Device* dev = device();
    Connection* db = dev ? dev->connection() : nullptr;
    if (!db)
        return entries;
    std::string sql = std::string("SELECT ") + kColumns +
                      " FROM (SELECT * FROM launches ORDER BY id DESC LIMIT ?) ORDER BY id";
    auto select = db->prepare(sql.c_str());
    select.bind(1, limit ? static_cast<int64_t>(limit) : int64_t{-1});
    while (select.step())
        entries.push_back(readEntry(select));
    return entries;
}

} // namespace msg_services
