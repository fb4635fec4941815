// The blocked-message viewer's screens for msg-shot.
#include "ScreenRegistry.h"

namespace msg_app {
namespace shell {

void registerBlockScreens(ScreenRegistry& /*registry*/) {}

} // namespace shell
} // namespace msg_app
