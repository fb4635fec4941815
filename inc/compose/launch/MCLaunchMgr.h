/*
 * The checks made before a composer opens or a message is sent (flight mode,
 * device policy, storage, recipients) and the popups that tell the user why
 * not. A new message from the list opens on the recipient screen.
 */
#ifndef MSG_APP_COMPOSE_MCLAUNCHMGR_H
#define MSG_APP_COMPOSE_MCLAUNCHMGR_H

#include "view_kit/WContentViewController.h"

#include <string>
#include <vector>

namespace msg_app {
namespace compose {

class MCLaunchMgr {
public:
    enum CheckType : int {
        CHECK_FLIGHT_MODE = 1,
        CHECK_MDM = 2,
        CHECK_RECIPIENT = 4,
        CHECK_STORAGE = 8,
        CHECK_ALL = 255,
    };

    enum Error : int {
        ERROR_NONE = 0,
        ERROR_NO_OUTPUT = 1,
        ERROR_FLIGHT_MODE = 2,
        ERROR_RESTRICTED = 3,
        ERROR_INVALID_RECIPIENT = 4,
        ERROR_STORAGE_FULL = 5,
    };

    static constexpr const char* FLIGHT_MODE_KEY = "db/telephony/flight_mode";
    static constexpr const char* FLIGHT_MODE_APP_ID = "com.vorlane.clocksetting.flightmode";
    // Below this much free internal memory nothing new is written.
    static constexpr unsigned long long MIN_FREE_BYTES = 1048576;

    // The page to push for a new message in *outComposer; the caller pushes it, or shows
    // createErrorPopup(error, 0) for an error.
    static Error createNewComposer(view_kit::WContentViewController** outComposer);
    // The checks of checkType in a fixed order; the first failure is returned.
    static Error checkCondition(int checkType, int appControlType,
                                const std::vector<std::string>& recipients);
    static Error checkCondition(int checkType, int appControlType, const std::string& recipient);
    // The popup telling the error, for the caller to attach; null for ERROR_NONE and unknown errors.
    // Outside the messaging application, closing it ends the process.
    static view_kit::WViewController* createErrorPopup(Error error, int appControlType);

private:
    static bool _isFlightModeOn();
    static bool _isStorageFull();
    static Error _checkRecipients(int appControlType, const std::vector<std::string>& recipients);
    static void _launchFlightModeSetting();
    static void _exitProcess(int appControlType);
};

} // namespace compose
} // namespace msg_app

#endif
