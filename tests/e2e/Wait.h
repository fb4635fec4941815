#ifndef MSG_TESTS_E2E_WAIT_H
#define MSG_TESTS_E2E_WAIT_H

#include <functional>

namespace msg_e2e {

// Polls `condition` until it holds or `seconds` have passed; true when it held.
bool waitUntil(const std::function<bool()>& condition, double seconds);

} // namespace msg_e2e

#endif
