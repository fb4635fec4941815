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

} // namespace formatted_number
} // namespace msg_app

#endif
