/*
 * A scratch copy of a device for one rendering: screens may change what they
 * show (mark read, delete), and a picture must never change the device.
 */
#ifndef MSG_SHOT_DEVICESNAPSHOT_H
#define MSG_SHOT_DEVICESNAPSHOT_H

#include <string>

namespace msg_shot {

class DeviceSnapshot {
public:
    DeviceSnapshot() = default;
    ~DeviceSnapshot();
    DeviceSnapshot(const DeviceSnapshot&) = delete;
    DeviceSnapshot& operator=(const DeviceSnapshot&) = delete;

    // Copies the database of deviceDir (none: an empty device) into a fresh
    // folder and points MSG_DEVICE_DIR at it; false with a message when it cannot.
    bool take(const std::string& deviceDir, std::string* error);
    const std::string& dir() const { return _dir; }

private:
    std::string _dir;
};

} // namespace msg_shot

#endif
