#include "StoreDb.h"

#include "log/PlatformLog.h"
#include "msg_store/MsgStoreTypes.h"

#include <atomic>
#include <chrono>

namespace msg_store {
namespace store {

namespace {

std::atomic<bool> gDisconnected{false};
constexpr int kWriteAttempts = 4;

// Migrations are appended, never edited: stored devices rely on each step.
const msg_device::SchemaModule& schema() {
    static const msg_device::SchemaModule module{
        "msg_store",
        {"CREATE TABLE ms_threads("
         " id INTEGER PRIMARY KEY AUTOINCREMENT,"
         " address_key TEXT NOT NULL UNIQUE,"
         " unread_count INTEGER NOT NULL DEFAULT 0,"
         " msg_count INTEGER NOT NULL DEFAULT 0,"
         " last_msg_id INTEGER,"
         " time INTEGER NOT NULL DEFAULT 0,"
         " is_group INTEGER NOT NULL DEFAULT 0);"
         "CREATE INDEX ms_threads_by_time ON ms_threads(time DESC, id DESC) WHERE msg_count > 0;"
         "CREATE TABLE ms_addresses("
         " thread_id INTEGER NOT NULL REFERENCES ms_threads(id) ON DELETE CASCADE,"
         " position INTEGER NOT NULL,"
         " type INTEGER NOT NULL,"
         " address TEXT NOT NULL,"
         " PRIMARY KEY(thread_id, position)) WITHOUT ROWID;"
         "CREATE TABLE ms_messages("
         " id INTEGER PRIMARY KEY AUTOINCREMENT,"
         " thread_id INTEGER NOT NULL REFERENCES ms_threads(id),"
         " item_id INTEGER NOT NULL DEFAULT 0,"
         " type TEXT NOT NULL,"
         " folder INTEGER NOT NULL,"
         " status INTEGER NOT NULL DEFAULT 0,"
         " sim INTEGER NOT NULL DEFAULT 0,"
         " time INTEGER NOT NULL,"
         " is_read INTEGER NOT NULL DEFAULT 0,"
         " is_protected INTEGER NOT NULL DEFAULT 0,"
         " hide_watch_icon INTEGER NOT NULL DEFAULT 0,"
         " route TEXT NOT NULL DEFAULT 'phone',"
         " address TEXT NOT NULL DEFAULT '',"
         " subject TEXT NOT NULL DEFAULT '',"
         " text TEXT NOT NULL DEFAULT '');"
         "CREATE INDEX ms_messages_by_thread ON ms_messages(thread_id, time, id);"
         "CREATE INDEX ms_messages_by_folder ON ms_messages(folder, time, id);"
         "CREATE INDEX ms_messages_sending ON ms_messages(status) WHERE status = 1;"
         "CREATE TABLE ms_contents("
         " id INTEGER PRIMARY KEY AUTOINCREMENT,"
         " msg_id INTEGER NOT NULL REFERENCES ms_messages(id) ON DELETE CASCADE,"
         " position INTEGER NOT NULL,"
         " media_type INTEGER NOT NULL,"
         " is_attachment INTEGER NOT NULL,"
         " transfer_status INTEGER NOT NULL,"
         " mime TEXT NOT NULL,"
         " text TEXT NOT NULL,"
         " file_path TEXT NOT NULL,"
         " file_name TEXT NOT NULL,"
         " thumbnail_path TEXT NOT NULL,"
         " download_name TEXT NOT NULL);"
         "CREATE INDEX ms_contents_by_msg ON ms_contents(msg_id, position);"
         "CREATE TABLE ms_requests("
         " id INTEGER PRIMARY KEY AUTOINCREMENT,"
         " kind TEXT NOT NULL,"
         " msg_id INTEGER NOT NULL REFERENCES ms_messages(id) ON DELETE CASCADE,"
         " content_id INTEGER NOT NULL DEFAULT -1,"
         " detail TEXT NOT NULL DEFAULT '',"
         " time INTEGER NOT NULL);"
         "CREATE INDEX ms_requests_by_msg ON ms_requests(msg_id);"
         "CREATE TABLE ms_state(key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"}};
    return module;
}

} // namespace

msg_device::Device* device(int* result) {
    if (gDisconnected.load()) {
        *result = MSG_STORE_ERR_NOT_CONNECTED;
        PLAT_LOGE("the store client is disconnected");
        return nullptr;
    }
    msg_device::Device* dev = msg_device::Device::getDefault();
    if (!dev || !dev->ensureSchema(schema())) {
        *result = MSG_STORE_ERR_NOT_CONNECTED;
        PLAT_LOGE("the device's message store cannot be opened");
        return nullptr;
    }
    *result = MSG_STORE_SUCCESS;
    return dev;
}

msg_device::Connection* reader(int* result) {
    msg_device::Device* dev = device(result);
    if (!dev)
        return nullptr;
    msg_device::Connection* db = dev->connection();
    if (!db)
        *result = MSG_STORE_ERR_DB;
    return db;
}

void setConnected(bool connected) {
    gDisconnected.store(!connected);
}

bool isDisconnected() {
    return gDisconnected.load();
}

int write(const WriteFn& fn) {
    int result = MSG_STORE_SUCCESS;
    msg_device::Device* dev = device(&result);
    if (!dev)
        return result;
    // A write that could not even begin waited out the busy timeout behind other writers;
    // it is tried again rather than lost.
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        bool began = false;
        bool committed = dev->write([&](msg_device::Connection& db, msg_device::ChangeLog& log) {
            began = true;
            ChangeRecorder recorder;
            result = fn(db, recorder);
            if (result != MSG_STORE_SUCCESS)
                return false;
            recorder.flush(log);
            return true;
        });
        if (committed)
            return MSG_STORE_SUCCESS;
        // Neither a read-only device nor a full disk changes by trying again.
        switch (msg_device::Device::lastWriteFailure()) {
        case msg_device::Device::Failure::READ_ONLY:
            return MSG_STORE_ERR_READ_ONLY;
        case msg_device::Device::Failure::DISK_FULL:
            return MSG_STORE_ERR_STORAGE_FULL;
        default:
            break;
        }
        if (began && result != MSG_STORE_SUCCESS)
            return result;
        PLAT_LOGW("the store's write was not committed (attempt %d)", attempt + 1);
    }
    PLAT_LOGE("the store's write was not committed");
    return MSG_STORE_ERR_DB;
}

int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace store
} // namespace msg_store
