#include "MsgServiceDb.h"

#include "log/PlatformLog.h"

namespace msg_service {

namespace {

const msg_device::SchemaModule& schema() {
    static const msg_device::SchemaModule module{
        "msg_service",
        {"CREATE TABLE msg_filters(id INTEGER PRIMARY KEY AUTOINCREMENT, type INTEGER NOT NULL,"
         " value TEXT NOT NULL, active INTEGER NOT NULL, UNIQUE(type, value));"
         "CREATE TABLE msg_cb_options(id INTEGER PRIMARY KEY CHECK(id = 1), receive INTEGER NOT NULL,"
         " all_languages INTEGER NOT NULL);"
         "CREATE TABLE msg_cb_channels(pos INTEGER PRIMARY KEY, active INTEGER NOT NULL,"
         " from_id INTEGER NOT NULL, to_id INTEGER NOT NULL, name TEXT NOT NULL);"
         "CREATE TABLE msg_send_options(msg_id INTEGER PRIMARY KEY, setting INTEGER NOT NULL,"
         " deliver INTEGER NOT NULL, keep_copy INTEGER NOT NULL);"
         "CREATE TABLE phone_block(id INTEGER PRIMARY KEY AUTOINCREMENT, number TEXT NOT NULL UNIQUE,"
         " match INTEGER NOT NULL);"}};
    return module;
}

} // namespace

msg_device::Device* serviceDevice() {
    return msg_device::Device::getDefaultWith(schema());
}

msg_device::Connection* serviceReader() {
    msg_device::Device* device = serviceDevice();
    return device ? device->connection() : nullptr;
}

} // namespace msg_service
