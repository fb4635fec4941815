// Message ports over the device: registered ports are rows of a table, messages are
// change-feed rows of the topic "message_port/<application>/<port>".
#include "message_port.h"

#include "AppRegistry.h"
#include "device/ChangeFeed.h"
#include "device/Device.h"
#include "journal.h"
#include "log/PlatformLog.h"

#include <cerrno>
#include <csignal>
#include <map>
#include <string>
#include <unistd.h>

namespace {

using msg_device::Device;

const msg_device::SchemaModule& portSchema() {
    static const msg_device::SchemaModule module{
        "message_port",
        {"CREATE TABLE message_ports(app_id TEXT NOT NULL, port TEXT NOT NULL, pid INTEGER NOT NULL,"
         " PRIMARY KEY(app_id, port));"}};
    return module;
}

struct LocalPort {
    std::string name;
    message_port_message_cb callback;
    void* userData;
    msg_device::ChangeFeed::Subscription subscription;
};

// Main loop only, like the feed that delivers to them.
std::map<int, LocalPort>& localPorts() {
    static std::map<int, LocalPort> ports;
    return ports;
}

Device* portDevice() {
    return Device::getDefaultWith(portSchema());
}

std::string topicOf(const std::string& appId, const std::string& port) {
    return "message_port/" + appId + "/" + port;
}

// The payload is the sender's application id, a newline, and the encoded bundle.
void deliver(int portId, const msg_device::Change& change) {
    auto it = localPorts().find(portId);
    size_t newline = change.payload.find('\n');
    if (it == localPorts().end() || newline == std::string::npos)
        return;
    std::string sender = change.payload.substr(0, newline);
    std::string encoded = change.payload.substr(newline + 1);
    bundle* message =
        bundle_decode(reinterpret_cast<const bundle_raw*>(encoded.c_str()), static_cast<int>(encoded.size()));
    PLAT_RET_IF(!message, "undecodable message for port %s", it->second.name.c_str());
    it->second.callback(portId, sender.c_str(), nullptr, false, message, it->second.userData);
    bundle_free(message);
}

bool setRegistered(Device* device, const std::string& appId, const std::string& port, bool registered) {
    return device->write([&](msg_device::Connection& db, msg_device::ChangeLog&) {
        auto stmt =
            registered ? db.prepare("INSERT OR REPLACE INTO message_ports(app_id, port, pid) VALUES(?, ?, ?)")
                       : db.prepare("DELETE FROM message_ports WHERE app_id = ? AND port = ?");
        stmt.bind(1, appId).bind(2, port);
        if (registered)
            stmt.bind(3, static_cast<int>(getpid()));
        return stmt.exec();
    });
}

// A port counts while the process that registered it lives.
bool isRegistered(Device* device, const std::string& appId, const std::string& port) {
    auto select =
        device->connection()->prepare("SELECT pid FROM message_ports WHERE app_id = ? AND port = ?");
    select.bind(1, appId).bind(2, port);
    if (!select.step())
        return false;
    pid_t pid = select.columnInt(0);
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

} // namespace

extern "C" {

int message_port_register_local_port(const char* local_port, message_port_message_cb callback,
                                     void* user_data) {
    PLAT_RETV_IF(!local_port || !*local_port || !callback, MESSAGE_PORT_ERROR_INVALID_PARAMETER,
                 "local_port or callback is null");
    Device* device = portDevice();
    PLAT_RETV_IF(!device, MESSAGE_PORT_ERROR_IO_ERROR, "no device");
    for (auto& [id, port] : localPorts()) {
        if (port.name == local_port) {
            port.callback = callback;
            port.userData = user_data;
            return id;
        }
    }
    static int nextId = 1;
    int id = nextId++;
    std::string appId = msg_services::AppRegistry::currentAppId();
    auto subscription = device->feed().subscribeScoped(
        topicOf(appId, local_port), [id](const msg_device::Change& change) { deliver(id, change); });
    PLAT_RETV_IF(!subscription.active(), MESSAGE_PORT_ERROR_IO_ERROR, "cannot listen on %s", local_port);
    PLAT_RETV_IF(!setRegistered(device, appId, local_port, true), MESSAGE_PORT_ERROR_IO_ERROR,
                 "cannot register %s", local_port);
    localPorts()[id] = LocalPort{local_port, callback, user_data, std::move(subscription)};
    return id;
}

int message_port_unregister_local_port(int local_port_id) {
    auto it = localPorts().find(local_port_id);
    PLAT_RETV_IF(it == localPorts().end(), MESSAGE_PORT_ERROR_PORT_NOT_FOUND, "no local port %d",
                 local_port_id);
    if (Device* device = portDevice())
        setRegistered(device, msg_services::AppRegistry::currentAppId(), it->second.name, false);
    localPorts().erase(it);
    return MESSAGE_PORT_ERROR_NONE;
}

int message_port_send_message(const char* remote_app_id, const char* remote_port, bundle* message) {
    PLAT_RETV_IF(!remote_app_id || !*remote_app_id || !remote_port || !*remote_port || !message,
                 MESSAGE_PORT_ERROR_INVALID_PARAMETER, "invalid arguments");
    bundle_raw* raw = nullptr;
    int length = 0;
    PLAT_RETV_IF(bundle_encode(message, &raw, &length) != 0 || !raw, MESSAGE_PORT_ERROR_INVALID_PARAMETER,
                 "cannot encode the message");
    std::string encoded(reinterpret_cast<const char*>(raw), length);
    bundle_free_encoded_rawdata(&raw);

    msg_services::AppInfo app;
    bool installed = msg_services::AppRegistry::find(remote_app_id, app) && !app.executable.empty();
    Device* device = portDevice();
    // Applications of the device that we do not ship exist as journal entries only, unless a
    // running process of that id listens (a tool of the device waiting for an answer).
    if (!installed && !(device && isRegistered(device, remote_app_id, remote_port))) {
        int err = journal_log("MESSAGE_PORT", "%s/%s %s", remote_app_id, remote_port, encoded.c_str());
        return err == JOURNAL_ERROR_NONE ? MESSAGE_PORT_ERROR_NONE : MESSAGE_PORT_ERROR_IO_ERROR;
    }
    PLAT_RETV_IF(!device, MESSAGE_PORT_ERROR_IO_ERROR, "no device");
    PLAT_RETV_IF(!isRegistered(device, remote_app_id, remote_port), MESSAGE_PORT_ERROR_PORT_NOT_FOUND,
                 "%s has no port %s", remote_app_id, remote_port);
    std::string payload = msg_services::AppRegistry::currentAppId() + "\n" + encoded;
    bool ok = device->write([&](msg_device::Connection&, msg_device::ChangeLog& log) {
        log.append(topicOf(remote_app_id, remote_port), payload);
        return true;
    });
    return ok ? MESSAGE_PORT_ERROR_NONE : MESSAGE_PORT_ERROR_IO_ERROR;
}

} // extern "C"
