// The send-only process: started by a launch request that asks to send a
// message at once; it shows only the sending popup and ends with it.
#include "ComposerProcess.h"

int main(int argc, char** argv) {
    return msg_app::compose::runSendProcess(argc, argv, "msg-send", msg_app::compose::APP_CONTROL_SEND);
}
