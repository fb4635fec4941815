/*
 * How the input selector answers a request: it hands the chosen text (or the
 * keyboard) to the composer process that the request names, then answers the
 * request itself. The window and msg-sim both answer through here.
 */
#ifndef MSG_INPUT_SELECTORANSWER_H
#define MSG_INPUT_SELECTORANSWER_H

#include "app_control.h"

#include <string>

namespace msg_app {
namespace input {

class SelectorAnswer {
public:
    // The composer sends text at once. Blank text is refused: nothing is sent and the request stays open.
    static bool sendText(app_control_h request, const std::string& text);
    // The composer opens its own body screen, with the request's recipient and context.
    static bool openKeyboard(app_control_h request);
    // The user went back: nothing is sent.
    static bool cancel(app_control_h request);

private:
    static bool _launchComposer(app_control_h request, const std::string* text);
    static bool _reply(app_control_h request, app_control_result_e result);
};

} // namespace input
} // namespace msg_app

#endif
