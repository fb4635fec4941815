// The compose process. The input selector starts it with the recipient and the
// text the user chose; that text is sent at once, with the sending popup.
#include "SendProcess.h"

int main(int argc, char** argv) {
    return msg_app::compose::runSendProcess(argc, argv, "msg-compose", msg_app::compose::APP_CONTROL_COMPOSE);
}
