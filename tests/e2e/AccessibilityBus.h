#ifndef MSG_TESTS_E2E_ACCESSIBILITYBUS_H
#define MSG_TESTS_E2E_ACCESSIBILITYBUS_H

#include "Process.h"

#include <string>

namespace msg_e2e {

// The desktop's accessibility bus, of our own: a session bus in a folder of its own, which starts
// the accessibility bus and its registry when asked, with a screen reader announced on it as a
// real one does. The test process and the programs it starts use it.
class AccessibilityBus {
public:
    AccessibilityBus() = default;
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    bool start(std::string* error);

private:
    Process _bus;
    std::string _runtimeDir;
    std::string _previousAddress;
    bool _hadAddress = false;
};

} // namespace msg_e2e

#endif
