#ifndef MSG_APP_COMPOSE_MCUTIL_H
#define MSG_APP_COMPOSE_MCUTIL_H

#include "compose/MCUtilFile.h"
#include "compose/MCUtilPopupText.h"
#include "compose/MCUtilRecipient.h"
#include "compose/MCUtilTextLength.h"
#include "compose/MCUtilTextSplit.h"
#include "compose/send/MCUtilNetwork.h"
#include "compose/send/MCUtilStorageChange.h"

namespace msg_app {
namespace compose {

// The composer's helpers, all static: each group is declared and defined in its own files.
class MCUtil : public MCUtilFile,
               public MCUtilNetwork,
               public MCUtilPopupText,
               public MCUtilRecipient,
               public MCUtilStorageChange,
               public MCUtilTextLength,
               public MCUtilTextSplit {
public:
    MCUtil() = delete;
};

} // namespace compose
} // namespace msg_app

#endif
