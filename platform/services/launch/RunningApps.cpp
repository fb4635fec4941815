#include "RunningApps.h"

#include "device/Device.h"
#include "log/PlatformLog.h"

#include <cerrno>
#include <csignal>

namespace msg_services {

using msg_device::ChangeLog;
using msg_device::Connection;

namespace {

const msg_device::SchemaModule kSchema{
    "running_apps", {"CREATE TABLE running_apps(app_id TEXT PRIMARY KEY, pid INTEGER NOT NULL);"}};

msg_device::Device* device() {
    return msg_device::Device::getDefaultWith(kSchema);
}

bool alive(int pid) {
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

} // namespace

bool RunningApps::enter(const std::string& appId, int pid) {
    msg_device::Device* dev = device();
    PLAT_RETV_IF(!dev, false, "no device");
    return dev->write([&](Connection& db, ChangeLog&) {
        auto insert = db.prepare("INSERT OR REPLACE INTO running_apps(app_id, pid) VALUES(?, ?)");
        insert.bind(1, appId).bind(2, pid);
        return insert.exec();
    });
}

void RunningApps::leave(const std::string& appId, int pid) {
    msg_device::Device* dev = device();
    if (!dev)
        return;
    dev->write([&](Connection& db, ChangeLog&) {
        auto remove = db.prepare("DELETE FROM running_apps WHERE app_id = ? AND pid = ?");
        remove.bind(1, appId).bind(2, pid);
        return remove.exec();
    });
}

int RunningApps::find(const std::string& appId) {
    msg_device::Device* dev = device();
    Connection* db = dev ? dev->connection() : nullptr;
    if (!db)
        return 0;
    auto select = db->prepare("SELECT pid FROM running_apps WHERE app_id = ?");
    select.bind(1, appId);
    int pid = select.step() ? select.columnInt(0) : 0;
    return alive(pid) ? pid : 0;
}

std::string RunningApps::requestTopic(const std::string& appId) {
    return "launch/request/" + appId;
}

bool RunningApps::deliver(const std::string& appId, const std::string& requestJson) {
    msg_device::Device* dev = device();
    PLAT_RETV_IF(!dev, false, "no device");
    return dev->write([&](Connection&, ChangeLog& log) {
        log.append(requestTopic(appId), requestJson);
        return true;
    });
}

} // namespace msg_services
