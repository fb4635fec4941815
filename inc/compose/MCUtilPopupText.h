/*
 * The question asked before a too-long text is sent as MMS pages.
 * Reached as MCUtil, which gathers the composer's helper groups.
 */
#ifndef MSG_APP_COMPOSE_MCUTILPOPUPTEXT_H
#define MSG_APP_COMPOSE_MCUTILPOPUPTEXT_H

#include <string>

namespace msg_app {
namespace compose {

struct MCUtilPopupText {
    // The question asked before a too-long text is sent as MMS pages.
    static void getSmsPageOverPopupText(std::string& out, bool withTextMessage, int mmsPageCount);
};

} // namespace compose
} // namespace msg_app

#endif
