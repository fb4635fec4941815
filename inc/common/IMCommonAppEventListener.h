#ifndef MSG_APP_COMMON_IMCOMMONAPPEVENTLISTENER_H
#define MSG_APP_COMMON_IMCOMMONAPPEVENTLISTENER_H

#include "common/MCommonAppEventType.h"

namespace msg_app {

class IMCommonAppEventListener {
public:
    virtual void appEventListener(MCommonAppEventType type) = 0;
    virtual ~IMCommonAppEventListener() = default;
};

} // namespace msg_app

#endif
