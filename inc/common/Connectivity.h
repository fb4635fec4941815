/*
 * How the watch reaches its phone (Bluetooth, the remote internet link, or
 * not at all) and whether messages can go out through the phone.
 */
#ifndef MSG_APP_COMMON_CONNECTIVITY_H
#define MSG_APP_COMMON_CONNECTIVITY_H

namespace msg_app {
namespace connectivity {

enum class YoxConn {
    NONE = 0,
    BT = 1,
    RLX = 2,
};

enum ConnectedVendor {
    VENDOR_NONE = 0,
    VENDOR_MAKER = 1,
    VENDOR_MAKER_MASS = 2,
    VENDOR_OTHER_LO = 3,
    VENDOR_OTHER = 4,
};

int get_connected_vendor();
YoxConn get_yox_connect();
// Whether the remote link is really usable: a network that may carry data, and the
// wearable-connection service connected.
bool is_yox_connected();
// Asks the user to connect when the remote link is not usable.
void launch_no_yox_fabrel_popup();
// out (optional) receives the link to send through, NONE when there is none.
bool is_sendby_phone_available(YoxConn* out);
bool is_sim_insert();

} // namespace connectivity
} // namespace msg_app

#endif
