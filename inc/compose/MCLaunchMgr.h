/*
 * Opening the composer from inside the messaging application. In this build
 * the composer is a stand-in page that says writing is not available yet; the
 * full composer (recipients, body, sending, with its pre-condition checks)
 * replaces it behind the same calls.
 */
#ifndef MSG_APP_COMPOSE_MCLAUNCHMGR_H
#define MSG_APP_COMPOSE_MCLAUNCHMGR_H

#include "view_kit/WContentViewController.h"

namespace msg_app {
namespace compose {

class MCLaunchMgr {
public:
    enum Error : int {
        ERROR_NONE = 0,
        ERROR_NO_OUTPUT = 1,
        ERROR_FLIGHT_MODE = 2,
        ERROR_RESTRICTED = 3,
        ERROR_INVALID_RECIPIENT = 4,
        ERROR_STORAGE_FULL = 5,
    };

    // The page to push for a new message in *outComposer; the caller pushes it, or shows
    // createErrorPopup(error, 0) for an error.
    static Error createNewComposer(view_kit::WContentViewController** outComposer);
    // A toast telling the error, for the caller to attach; null for ERROR_NONE and unknown errors.
    static view_kit::WViewController* createErrorPopup(Error error, int appControlType);
};

} // namespace compose
} // namespace msg_app

#endif
