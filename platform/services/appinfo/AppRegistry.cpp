#include "AppRegistry.h"

#include "device/Device.h"
#include "log/PlatformLog.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace msg_services {

using msg_device::ChangeLog;
using msg_device::Connection;

namespace {

constexpr const char* kOperationPrefix = "http://orvex.org/appcontrol/operation/";

// The applications a fresh device has: ours with their executables, the device's own without.
const char* const kSeed =
    "INSERT INTO apps(app_id, package_id, executable, operations, schemes, preload, enabled) VALUES"
    " ('com.vorlane.message', 'com.vorlane.message', 'msg-app', 'main default', '', 1, 1),"
    " ('com.vorlane.message.appcontrol.compose', 'com.vorlane.message', 'msg-compose', 'compose share_text', "
    "'',"
    " 1, 1),"
    " ('com.vorlane.msg-send', 'com.vorlane.message', 'msg-send', 'send send_text', 'sms smsto', 1, 1),"
    " ('com.vorlane.w-input-selector', 'com.vorlane.w-input-selector', 'msg-input', 'main', '', 1, 1),"
    " ('com.vorlane.w-contacts2', 'com.vorlane.w-contacts2', '', 'main', '', 1, 1),"
    " ('com.vorlane.w-contacts2.appcontrol', 'com.vorlane.w-contacts2', '', 'pick default', '', 1, 1),"
    " ('com.vorlane.w-logs2.appcontrol.view', 'com.vorlane.w-logs2', '', 'default', '', 1, 1),"
    " ('com.vorlane.call', 'com.vorlane.call', '', 'call dial', 'tel', 1, 1),"
    " ('com.vorlane.fabrel-popup', 'com.vorlane.fabrel-popup', '', 'default', '', 1, 1),"
    " ('com.vorlane.bluetooth', 'com.vorlane.bluetooth', '', 'default', '', 1, 1),"
    " ('com.vorlane.hulmstore', 'com.vorlane.hulmstore', '', 'view', 'hulmapps', 1, 1),"
    " ('com.vorlane.mapcontrol', 'com.vorlane.mapcontrol', '', 'view pick', 'geo', 1, 1),"
    " ('com.vorlane.browser', 'com.vorlane.browser', '', 'view', 'http https', 1, 1),"
    " ('com.vorlane.w-gallery', 'com.vorlane.w-gallery', '', 'view', 'file', 1, 1),"
    " ('com.vorlane.w-media-player', 'com.vorlane.w-media-player', '', 'view', 'file', 1, 1),"
    " ('com.vorlane.clocksetting.flightmode', 'com.vorlane.clocksetting', '', 'default', '', 1, 1),"
    " ('com.vorlane.msg-popup', 'com.vorlane.msg-popup', '', 'default', '', 1, 1),"
    " ('com.vorlane.wusvc', 'com.vorlane.wusvc', '', 'default', '', 1, 1);";

const msg_device::SchemaModule kSchema{"apps",
                                       {"CREATE TABLE apps("
                                        " app_id TEXT PRIMARY KEY,"
                                        " package_id TEXT NOT NULL,"
                                        " executable TEXT NOT NULL,"
                                        " operations TEXT NOT NULL,"
                                        " schemes TEXT NOT NULL,"
                                        " preload INTEGER NOT NULL,"
                                        " enabled INTEGER NOT NULL);",
                                        kSeed}};

msg_device::Device* device() {
    return msg_device::Device::getDefaultWith(kSchema);
}

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string joinWords(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

// Operations are stored by their last path element.
std::string shortOperation(const std::string& operation) {
    size_t slash = operation.rfind('/');
    return slash == std::string::npos ? operation : operation.substr(slash + 1);
}

std::vector<AppInfo> query(const char* where, const std::string& arg) {
    std::vector<AppInfo> apps;
    msg_device::Device* dev = device();
    Connection* db = dev ? dev->connection() : nullptr;
    if (!db)
        return apps;
    std::string sql =
        std::string("SELECT app_id, package_id, executable, operations, schemes, preload, enabled "
                    "FROM apps ") +
        where + " ORDER BY app_id";
    auto select = db->prepare(sql.c_str());
    if (!arg.empty())
        select.bind(1, arg);
    while (select.step()) {
        AppInfo app;
        app.appId = select.columnText(0);
        app.packageId = select.columnText(1);
        app.executable = select.columnText(2);
        for (const auto& op : splitWords(select.columnText(3)))
            app.operations.push_back(launchOperation(op.c_str()));
        app.uriSchemes = splitWords(select.columnText(4));
        app.preload = select.columnInt(5) != 0;
        app.enabled = select.columnInt(6) != 0;
        apps.push_back(std::move(app));
    }
    return apps;
}

// Runs a statement on one application's row (?1 its id, ?2 the value when not negative); true when
// the row existed.
bool changeOne(const std::string& appId, const char* sql, int value) {
    msg_device::Device* dev = device();
    bool changed = false;
    bool ok = dev && dev->write([&](Connection& db, ChangeLog& log) {
        auto statement = db.prepare(sql);
        statement.bind(1, appId);
        if (value >= 0)
            statement.bind(2, value);
        if (!statement.exec())
            return false;
        changed = db.changes() > 0;
        if (changed)
            log.append("apps", appId);
        return true;
    });
    return ok && changed;
}

bool validWord(const std::string& word) {
    return !word.empty() && word.size() <= 256 && word.find_first_of(" \t\n/") == std::string::npos;
}

} // namespace

std::string launchOperation(const char* name) {
    return std::string(kOperationPrefix) + (name ? name : "");
}

bool AppRegistry::find(const std::string& appId, AppInfo& out) {
    if (appId.empty())
        return false;
    auto apps = query("WHERE app_id = ?", appId);
    if (apps.empty())
        return false;
    out = apps.front();
    return true;
}

std::vector<AppInfo> AppRegistry::all() {
    return query("", "");
}

bool AppRegistry::install(const AppInfo& app) {
    PLAT_RETV_IF(!validWord(app.appId) || !validWord(app.packageId), false, "bad application or package id");
    PLAT_RETV_IF(!app.executable.empty() && !validWord(app.executable), false, "bad executable name");
    std::vector<std::string> ops;
    for (const auto& op : app.operations)
        ops.push_back(shortOperation(op));
    msg_device::Device* dev = device();
    if (!dev)
        return false;
    return dev->write([&](Connection& db, ChangeLog& log) {
        auto insert =
            db.prepare("INSERT OR REPLACE INTO apps(app_id, package_id, executable, operations, schemes, "
                       "preload, enabled) VALUES(?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, app.appId)
            .bind(2, app.packageId)
            .bind(3, app.executable)
            .bind(4, joinWords(ops))
            .bind(5, joinWords(app.uriSchemes))
            .bind(6, app.preload ? 1 : 0)
            .bind(7, app.enabled ? 1 : 0);
        if (!insert.exec())
            return false;
        log.append("apps", app.appId);
        return true;
    });
}

bool AppRegistry::uninstall(const std::string& appId) {
    return changeOne(appId, "DELETE FROM apps WHERE app_id = ?1", -1);
}

bool AppRegistry::setEnabled(const std::string& appId, bool enabled) {
    return changeOne(appId, "UPDATE apps SET enabled = ?2 WHERE app_id = ?1", enabled ? 1 : 0);
}

std::vector<AppInfo> AppRegistry::matching(const std::string& operation, const std::string& uri) {
    std::vector<AppInfo> matched;
    std::string scheme;
    if (size_t colon = uri.find(':'); colon != std::string::npos && colon > 0 && uri[0] != '/') {
        // Schemes are the same in any case ("HTTPS:" is "https:").
        for (char c : uri.substr(0, colon))
            scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!uri.empty())
        scheme = "file"; // a plain path
    for (auto& app : query("WHERE enabled = 1", "")) {
        bool handles =
            std::find(app.operations.begin(), app.operations.end(), operation) != app.operations.end();
        bool opens = scheme.empty() || app.uriSchemes.empty() ||
                     std::find(app.uriSchemes.begin(), app.uriSchemes.end(), scheme) != app.uriSchemes.end();
        // An application that names schemes opens nothing else; a request without a URI suits any.
        if (handles && opens)
            matched.push_back(std::move(app));
    }
    return matched;
}

std::string AppRegistry::executableDir() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0)
        return std::string();
    std::string exe(path, static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

std::string AppRegistry::currentAppId() {
    if (const char* id = std::getenv("MSG_APP_ID"); id && *id)
        return id;
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string("unknown");
    std::string name = exe.substr(exe.rfind('/') + 1);
    for (const auto& app : query("WHERE executable = ?", name))
        return app.appId;
    return name;
}

std::string AppRegistry::packageOf(const std::string& appId) {
    AppInfo app;
    return find(appId, app) ? app.packageId : appId;
}

} // namespace msg_services
