// The compose process, started by launch requests to compose: a text shared by another
// application, an "sms:" address, or the input selector's choice (sent at once) or its "Keyboard".
#include "ComposeFirstPage.h"
#include "ComposerProcess.h"

int main(int argc, char** argv) {
    return msg_app::compose::runComposerProcess(argc, argv, "msg-compose",
                                                msg_app::compose::createComposeFirstPage);
}
