/*
 * Phone numbers formatted for display in the user's region.
 */
#ifndef MSG_APP_COMMON_FORMATTEDNUMBER_H
#define MSG_APP_COMMON_FORMATTEDNUMBER_H

#include <functional>
#include <string>

namespace msg_app {
namespace formatted_number {

void init();
void deinit();
// Follows the region-format setting; safe against numbers being formatted on other threads.
void update_region();
// out = the number formatted, or the number as it is when formatting gives nothing; unchanged for
// null.
void get(const char* number, std::string& out);
// Loads the formatting on a worker, for a screen that will format a number not formatted before
// while it must keep drawing; nothing when numbers are shown as they are.
void prepare();
// Until load_deferred() finds the formatting loaded, get() gives a number it would first have to load
// the formatting for as it stands: the first screen is drawn without waiting for that load.
void defer_loading();
// When a number was given as it stands since defer_loading(), loads the formatting on a worker and,
// once it is loaded, formats every number again as it is asked for and runs `loaded` on the main loop
// for the screens to show theirs again; when none was, formats as asked for from now on. Main loop.
void load_deferred(std::function<void()> loaded);

} // namespace formatted_number
} // namespace msg_app

#endif
