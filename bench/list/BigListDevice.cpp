#include "BigListDevice.h"

#include "device/Device.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/PhoneSide.h"

#include <cstdlib>
#include <vector>

namespace msg_bench {

namespace {

constexpr int64_t FIRST_TIME_MS = 1600000000000LL;
constexpr int64_t STEP_MS = 60000;
constexpr size_t BATCH = 5000;

} // namespace

std::string BigListDevice::addressOf(int n) {
    return "+1555" + std::to_string(1000000 + n);
}

BigListDevice::BigListDevice(int conversations)
    : _conversations(conversations),
      _newestTimeMs(FIRST_TIME_MS + static_cast<int64_t>(conversations) * STEP_MS) {
    std::string previous = msg_device::Device::defaultDir();
    msg_device::Device::closeDefault();
    setenv("MSG_DEVICE_DIR", _dir.path().c_str(), 1);
    // A list measured before may have disconnected the store client of this process.
    bool wasConnected = msg_store::ConnectionManager::isConnected();
    msg_store::ConnectionManager::connect();
    std::vector<msg_store::IncomingMessage> batch;
    auto flush = [&batch] {
        bool ok = batch.empty() ||
                  msg_store::PhoneSide::insertMessages(batch, nullptr) == msg_store::MSG_STORE_SUCCESS;
        batch.clear();
        return ok;
    };
    bool ok = true;
    for (int n = 0; n < conversations && ok; ++n) {
        int64_t time = FIRST_TIME_MS + static_cast<int64_t>(n) * STEP_MS;
        msg_store::IncomingMessage sent;
        sent.addresses = {{msg_store::ADDRESS_TYPE_PHONE, addressOf(n)}};
        sent.folderType = msg_store::FOLDER_SENT;
        sent.isRead = true;
        sent.time = time - 1000;
        sent.text = "Are we still on for Saturday? Let me know when you can.";
        msg_store::IncomingMessage received = sent;
        received.folderType = msg_store::FOLDER_INBOX;
        received.isRead = n % 7 != 0;
        received.time = time;
        received.text = "Yes, see you at the station at ten. Conversation " + std::to_string(n) + ".";
        batch.push_back(sent);
        batch.push_back(received);
        if (batch.size() >= BATCH)
            ok = flush();
    }
    _ready = ok && flush();
    if (!wasConnected)
        msg_store::ConnectionManager::disconnect();
    msg_device::Device::closeDefault();
    setenv("MSG_DEVICE_DIR", previous.c_str(), 1);
}

} // namespace msg_bench
