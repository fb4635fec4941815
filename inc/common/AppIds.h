/*
 * The ids of the device's applications that the messaging code starts or answers to, named once:
 * a launch request, a reply check and a test all spell an id from here.
 */
#ifndef MSG_APP_COMMON_APPIDS_H
#define MSG_APP_COMMON_APPIDS_H

namespace msg_app {
namespace app_id {

// This application.
constexpr const char* MESSAGE = "com.vorlane.message";
// Its composer process, started with the text or recipient to write.
constexpr const char* COMPOSE = "com.vorlane.message.appcontrol.compose";
// The device's input selector, which asks the user for a text.
constexpr const char* INPUT_SELECTOR = "com.vorlane.w-input-selector";
// The contacts application's entry for picking, viewing and adding a contact.
constexpr const char* CONTACTS_APPCONTROL = "com.vorlane.w-contacts2.appcontrol";
// The watch's application store and its map application (which also picks a place).
constexpr const char* STORE = "com.vorlane.hulmstore";
constexpr const char* MAP = "com.vorlane.mapcontrol";
// The voice assistant's wake-up service, which asks for and reads out new messages.
constexpr const char* WAKE_UP_SERVICE = "com.vorlane.wusvc";

} // namespace app_id
} // namespace msg_app

#endif
