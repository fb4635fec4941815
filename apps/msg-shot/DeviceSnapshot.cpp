#include "DeviceSnapshot.h"

#include "device/Connection.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace msg_shot {

namespace {

constexpr const char* DATABASE_NAME = "device.db";

} // namespace

DeviceSnapshot::~DeviceSnapshot() {
    if (_dir.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(_dir, ignored);
}

bool DeviceSnapshot::take(const std::string& deviceDir, std::string* error) {
    std::string pattern = (std::filesystem::temp_directory_path() / "msg-shot-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        *error = "cannot create a scratch folder for the device";
        return false;
    }
    _dir = pattern;
    std::string source = deviceDir + "/" + DATABASE_NAME;
    std::error_code missing;
    if (std::filesystem::exists(source, missing)) {
        // A consistent copy even while another program writes to the device; read-only, so that a
        // read-only device folder or a full disk is pictured too.
        std::unique_ptr<msg_device::Connection> db = msg_device::Connection::openReadOnly(source, error);
        if (!db)
            return false;
        msg_device::Statement copy = db->prepare("VACUUM INTO ?");
        copy.bind(1, _dir + "/" + DATABASE_NAME);
        if (!copy.valid() || !copy.exec()) {
            *error = "cannot copy " + source + ": " + db->lastError();
            return false;
        }
    }
    setenv("MSG_DEVICE_DIR", _dir.c_str(), 1);
    return true;
}

} // namespace msg_shot
