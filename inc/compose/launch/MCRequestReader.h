/*
 * Bounded, strict reading of the values of a received launch request. The
 * sender is another application, so sizes are capped and numbers must be
 * whole decimal integers.
 */
#ifndef MSG_APP_COMPOSE_MCREQUESTREADER_H
#define MSG_APP_COMPOSE_MCREQUESTREADER_H

#include "app_control.h"

#include <string>
#include <vector>

namespace msg_app {
namespace compose {

class MCRequestReader {
public:
    enum Result {
        ABSENT = 0, // missing or empty
        PRESENT = 1,
        INVALID = 2, // present but unusable; logged
    };

    MCRequestReader() = delete;

    static Result getExtra(app_control_h handle, const char* key, size_t maxBytes, std::string& out);
    static Result getArray(app_control_h handle, const char* key, int maxLength, size_t maxBytes,
                           std::vector<std::string>& out);
    // Optional sign and decimal digits only, within int; out is unchanged on failure.
    static bool toInt(const char* key, const std::string& text, int& out);
    // "%XX" escapes decoded; false for a broken escape, an escaped NUL or text that is not UTF-8.
    static bool percentDecode(const std::string& text, std::string& out);
};

} // namespace compose
} // namespace msg_app

#endif
