#ifndef MSG_APP_COMMON_MCOMMONAPPEVENTTYPE_H
#define MSG_APP_COMMON_MCOMMONAPPEVENTTYPE_H

namespace msg_app {

// Events of the application event bus; 0 to 3 are also the application's lifecycle states.
enum MCommonAppEventType {
    APP_EVENT_INITIAL = 0,
    APP_EVENT_RESUMED = 1,
    APP_EVENT_PAUSED = 2,
    APP_EVENT_TERMINATING = 3,
    APP_EVENT_LANGUAGE_CHANGED = 4,
    APP_EVENT_REGION_FORMAT_CHANGED = 5,
    // The application was launched again while running (the list leaves select mode).
    APP_EVENT_RELAUNCHED = 6,
    // The first screen is up (the list starts its first-idle work).
    APP_EVENT_LAUNCH_COMPLETED = 7,
    APP_EVENT_CONTACTS_CHANGED = 8,
    APP_EVENT_TIME_FORMAT_CHANGED = 9,
    APP_EVENT_FONT_CHANGED = 10,
    APP_EVENT_MSG_STORE_READY = 11,
    APP_EVENT_BLOCKED_NUMBERS_RESTORED = 12,
    APP_EVENT_SETTINGS_RESTORED = 13,
    // The language changes next: every widget is themed again, and a list then starts from its
    // top. Screens note what they show; APP_EVENT_LANGUAGE_CHANGED follows.
    APP_EVENT_LANGUAGE_CHANGING = 14,
};

} // namespace msg_app

#endif
