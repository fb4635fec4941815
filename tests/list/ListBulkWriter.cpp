// Test helper: writes N new one-to-one conversations to the device in one store transaction, so
// that another process sees one storage change naming them all; with --blocked yes they land in
// the watch's spam folder:
//   msg-list-bulk-writer --device DIR --conversations N [--blocked yes]
#include "device/Device.h"
#include "msg_store/PhoneSide.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::string device;
    int count = 0;
    bool blocked = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!strcmp(argv[i], "--device"))
            device = argv[i + 1];
        else if (!strcmp(argv[i], "--conversations"))
            count = atoi(argv[i + 1]);
        else if (!strcmp(argv[i], "--blocked"))
            blocked = !strcmp(argv[i + 1], "yes");
    }
    if (device.empty() || count <= 0) {
        fprintf(stderr, "usage: msg-list-bulk-writer --device DIR --conversations N [--blocked yes]\n");
        return 2;
    }
    setenv("MSG_DEVICE_DIR", device.c_str(), 1);
    int64_t now = static_cast<int64_t>(time(nullptr)) * 1000;
    std::vector<msg_store::IncomingMessage> messages(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+1777" + std::to_string(100000 + i)}};
        messages[i].text = "bulk " + std::to_string(i);
        messages[i].time = now + i;
        if (blocked)
            messages[i].folderType = msg_store::FOLDER_WATCH_SPAM;
    }
    int result = msg_store::PhoneSide::insertMessages(messages, nullptr);
    msg_device::Device::closeDefault();
    if (result != msg_store::MSG_STORE_SUCCESS) {
        fprintf(stderr, "cannot write: %d\n", result);
        return 1;
    }
    return 0;
}
