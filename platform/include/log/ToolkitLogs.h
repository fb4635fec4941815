/*
 * The toolkit's start-up complaints on a machine without the device's system
 * services (no D-Bus system bus, power or session daemon): errors with their
 * backtraces on every program's standard error, about nothing the program
 * uses. Quieted before the toolkit starts; a variable already set is kept.
 */
#ifndef MSG_PLATFORM_LOG_TOOLKITLOGS_H
#define MSG_PLATFORM_LOG_TOOLKITLOGS_H

#include <cstdlib>

namespace platform_log {

inline void quiet_toolkit_logs() {
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS",
           "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0,ecore_con:0", 0);
}

} // namespace platform_log

#endif
