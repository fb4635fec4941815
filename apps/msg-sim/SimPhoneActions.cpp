#include "SimPhoneActions.h"
#include "SimPhoneLink.h"

#include "SimSeedMedia.h"
#include "device/Device.h"
#include "msg_store/MessageManager.h"

#include <cstdio>
#include <ctime>
#include <sys/stat.h>

namespace msg_sim {

SimPhone::SimPhone(double failRate)
    : _failRate(failRate), _random(static_cast<unsigned>(std::time(nullptr))) {}

int SimPhone::finishSend(const msg_store::OutboxEntry& entry) {
    bool fails = std::uniform_real_distribution<double>(0.0, 1.0)(_random) < _failRate;
    int result = fails ? msg_store::PhoneSide::fail(entry.msgId) : msg_store::PhoneSide::deliver(entry.msgId);
    if (result == msg_store::MSG_STORE_SUCCESS)
        std::printf("phone: message %d to %s %s\n", entry.msgId, entry.address.c_str(),
                    fails ? "FAILED" : "sent");
    std::fflush(stdout);
    return result;
}

std::string SimPhone::_fileFor(const msg_store::PhoneRequest& request) {
    msg_store::Message message;
    std::string mime;
    if (msg_store::MessageManager().getMessage(request.msgId, message) == msg_store::MSG_STORE_SUCCESS) {
        for (const auto& content : message.contents) {
            if (content.contentId == request.contentId)
                mime = content.mimeType;
        }
    }
    std::string folder = msg_device::Device::defaultDir() + "/media";
    mkdir(folder.c_str(), 0700);
    std::string base = folder + "/download-" + std::to_string(request.contentId);
    if (mime.rfind("audio/", 0) == 0)
        return simWriteWav(base + ".wav", 523, 1000) ? base + ".wav" : std::string();
    if (mime.rfind("image/", 0) == 0)
        return simWritePng(base + ".png", 120, 90, 200) ? base + ".png" : std::string();
    return simWriteText(base + ".txt", "A file sent by the phone.\n") ? base + ".txt" : std::string();
}

int SimPhone::answer(const msg_store::PhoneRequest& request) {
    std::string path;
    if (request.kind == "download_content") {
        path = _fileFor(request);
        if (path.empty())
            return msg_store::PhoneSide::failRequest(request.requestId);
    }
    int result = msg_store::PhoneSide::completeRequest(request.requestId, path);
    if (result == msg_store::MSG_STORE_SUCCESS)
        std::printf("phone: answered %s for message %d%s%s\n", request.kind.c_str(), request.msgId,
                    path.empty() ? "" : " with ", path.c_str());
    std::fflush(stdout);
    return result;
}

int SimPhone::runOnce() {
    std::vector<msg_store::OutboxEntry> outbox;
    std::vector<msg_store::PhoneRequest> requests;
    int result = msg_store::PhoneSide::getOutbox(outbox);
    if (result == msg_store::MSG_STORE_SUCCESS)
        result = msg_store::PhoneSide::getRequests(requests);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return result;
    for (const auto& entry : outbox) {
        // The phone sends only its own messages, and only while it is linked.
        if (entry.folderType != msg_store::FOLDER_OUTBOX || !simPhoneLinked())
            continue;
        int rc = finishSend(entry);
        if (rc != msg_store::MSG_STORE_SUCCESS)
            result = rc;
    }
    for (const auto& request : requests) {
        int rc = answer(request);
        if (rc != msg_store::MSG_STORE_SUCCESS)
            result = rc;
    }
    return result;
}

} // namespace msg_sim
