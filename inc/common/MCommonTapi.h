/*
 * The watch's own modem: power, network attachment, roaming, the gray zone
 * (modem parked in low power) and the mobile country code.
 */
#ifndef MSG_APP_COMMON_MCOMMONTAPI_H
#define MSG_APP_COMMON_MCOMMONTAPI_H

#include "telephony.h"

#include <string>

namespace msg_app {

class MCommonTapi {
public:
    enum ModemState {
        MODEM_STATE_ON = 0,
        MODEM_STATE_OFF = 1,
        MODEM_STATE_RESET = 2,
        MODEM_STATE_LOW = 3,
    };

    enum ModemSetting {
        MODEM_SETTING_AUTO = 0,
        MODEM_SETTING_ON = 1,
        MODEM_SETTING_OFF = 2,
    };

    static MCommonTapi* getInstance();
    // Closes telephony for good: later calls answer nothing instead of opening it again.
    void release();
    // Ends the singleton; the next getInstance() opens telephony afresh.
    static void destroy();

    bool isRoaming();
    bool isNetworkAttached();
    bool isMMSRoamingAvailable();
    // mcc is left unchanged on failure.
    void getMcc(std::string& mcc);
    bool getModemState(ModemState* state);
    bool isModemOn();
    bool isGrayZone();
    bool setModemOn();

private:
    MCommonTapi();
    ~MCommonTapi();
    MCommonTapi(const MCommonTapi&) = delete;
    MCommonTapi& operator=(const MCommonTapi&) = delete;

    bool _getModemSetting(ModemSetting* setting);

    static MCommonTapi* _instance;
    TapiHandle* _handle = nullptr;
    bool _isReleased = false;
};

} // namespace msg_app

#endif
