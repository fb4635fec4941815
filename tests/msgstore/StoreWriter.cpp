// A process that receives COUNT messages from one sender into the device's store and prints each
// message id once its write has committed. The crash-safety tests kill it mid-way and hold the
// store to every id it printed. Usage: msg_store_writer TAG COUNT
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <Ecore.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TAG COUNT\n", argv[0]);
        return 2;
    }
    const std::string tag = argv[1];
    const int count = std::atoi(argv[2]);
    ecore_init();
    if (msg_store::ConnectionManager::connect() != msg_store::MSG_STORE_SUCCESS) {
        std::fprintf(stderr, "cannot connect to the store\n");
        return 1;
    }
    msg_store::IncomingMessage message;
    message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550109999"}};
    for (int i = 0; i < count; ++i) {
        message.text = tag + " " + std::to_string(i);
        int id = -1;
        int result = msg_store::PhoneSide::insertMessage(message, &id);
        if (result != msg_store::MSG_STORE_SUCCESS) {
            std::fprintf(stderr, "write %d failed: %d\n", i, result);
            return 1;
        }
        std::printf("%d\n", id);
        std::fflush(stdout);
    }
    msg_store::ConnectionManager::disconnect();
    ecore_shutdown();
    return 0;
}
