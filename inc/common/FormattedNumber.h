/*
 * Phone numbers formatted for display in the user's region.
 */
#ifndef MSG_APP_COMMON_FORMATTEDNUMBER_H
#define MSG_APP_COMMON_FORMATTEDNUMBER_H

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

} // namespace formatted_number
} // namespace msg_app

#endif
