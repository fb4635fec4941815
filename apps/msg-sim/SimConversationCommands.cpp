// msg-sim commands that bring a conversation into the states its bubbles draw: a long thread in
// one change, a received MMS with any of the marks, a message of ours in the outbox (for "fail"),
// and a message whose time the phone corrects.
#include "SimConversationCommands.h"

#include "SimCommand.h"
#include "SimIncomingSender.h"
#include "SimStoreOutput.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace msg_sim {

namespace {

constexpr int64_t DAY_MS = 24 * 3600 * 1000LL;
constexpr int MAX_BULK = 100000;

bool parseCount(const std::string& text, long low, long high, long& out) {
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == '\0' && out >= low && out <= high;
}

bool threadAddresses(int threadId, std::vector<msg_store::Address>& addresses) {
    return msg_store::ThreadManager().getAddress(threadId, addresses) == msg_store::MSG_STORE_SUCCESS &&
           !addresses.empty();
}

int runBulk(SimArgs& args) {
    simTakeDevice(args);
    std::string threadText, countText, spanText = "1";
    bool hasThread = args.option("--thread", threadText);
    bool hasCount = args.option("--count", countText);
    args.option("--span-days", spanText);
    if (!args.ok())
        return simUsageError(args, args.error());
    int threadId = -1;
    long count = 0, spanDays = 0;
    if (!hasThread || !simParseId(threadText, threadId))
        return simUsageError(args, "--thread ID is required");
    if (!hasCount || !parseCount(countText, 1, MAX_BULK, count))
        return simUsageError(args, "--count needs a number from 1 to " + std::to_string(MAX_BULK));
    if (!parseCount(spanText, 0, 36500, spanDays))
        return simUsageError(args, "--span-days needs a number of days");
    std::vector<msg_store::Address> addresses;
    if (!threadAddresses(threadId, addresses))
        return simFailure(args, "no conversation " + std::to_string(threadId));
    int64_t now = static_cast<int64_t>(time(nullptr)) * 1000;
    int64_t step = count > 1 ? spanDays * DAY_MS / (count - 1) : 0;
    std::vector<msg_store::IncomingMessage> messages(static_cast<size_t>(count));
    for (long i = 0; i < count; ++i) {
        msg_store::IncomingMessage& message = messages[static_cast<size_t>(i)];
        message.addresses = addresses;
        message.from = addresses[static_cast<size_t>(i) % addresses.size()].address;
        message.text = "Message " + std::to_string(i + 1) + " of " + std::to_string(count);
        message.time = now - (count - 1 - i) * step;
        message.isRead = true;
        message.folderType = i % 3 == 2 ? msg_store::FOLDER_SENT : msg_store::FOLDER_INBOX;
        message.networkStatus =
            i % 3 == 2 ? msg_store::NETWORK_STATUS_SEND_SUCCESS : msg_store::NETWORK_STATUS_NONE;
    }
    int result = msg_store::PhoneSide::insertMessages(messages, nullptr);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot add the messages");
    std::printf("added %ld message(s) to thread %d in one change\n", count, threadId);
    return 0;
}

msg_store::Content part(msg_store::Content::MediaType type, const std::string& mime,
                        const std::string& path) {
    msg_store::Content content;
    content.mediaType = type;
    content.mimeType = mime;
    content.filePath = path;
    size_t slash = path.find_last_of('/');
    content.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    content.downloadName = content.fileName;
    content.transferStatus = msg_store::Content::TRANSFER_DOWNLOADED;
    return content;
}

int runReceiveMms(SimArgs& args) {
    simTakeDevice(args);
    msg_store::IncomingMessage message;
    message.msgType = "mms";
    std::string from, text, members, simText, video, still, path;
    bool hasFrom = args.option("--from", from);
    args.option("--text", text);
    args.option("--subject", message.subject);
    args.option("--group", members);
    args.option("--sim", simText);
    if (!text.empty())
        message.contents.push_back(part(msg_store::Content::MEDIA_TYPE_TEXT, "text/plain", ""));
    if (!message.contents.empty())
        message.contents.back().text = text;
    while (args.option("--image", path))
        message.contents.push_back(part(msg_store::Content::MEDIA_TYPE_IMAGE, "image/png", path));
    if (args.option("--video", video)) {
        message.contents.push_back(part(msg_store::Content::MEDIA_TYPE_VIDEO, "video/mp4", video));
        args.option("--still", still);
        message.contents.back().thumbnailPath = still;
    }
    while (args.option("--audio", path)) {
        bool wav = path.size() > 4 && path.compare(path.size() - 4, 4, ".wav") == 0;
        message.contents.push_back(
            part(msg_store::Content::MEDIA_TYPE_AUDIO, wav ? "audio/x-wav" : "audio/amr", path));
    }
    while (args.option("--file", path)) {
        message.contents.push_back(
            part(msg_store::Content::MEDIA_TYPE_NONE, "application/octet-stream", path));
        message.contents.back().isAttachment = true;
    }
    message.isProtected = args.flag("--protected");
    if (args.flag("--on-phone")) {
        // The message is here, its files are not: each is fetched from the phone when tapped.
        for (msg_store::Content& content : message.contents) {
            if (content.mediaType != msg_store::Content::MEDIA_TYPE_TEXT) {
                content.filePath.clear();
                content.transferStatus = msg_store::Content::TRANSFER_NONE;
            }
        }
    }
    if (args.flag("--not-retrieved")) {
        // The body stays on the phone: the parts are named but have no file on the watch.
        message.networkStatus = msg_store::NETWORK_STATUS_RETRIEVE_FAIL;
        for (msg_store::Content& content : message.contents) {
            content.filePath.clear();
            content.transferStatus = msg_store::Content::TRANSFER_NONE;
        }
    }
    if (!args.ok())
        return simUsageError(args, args.error());
    if (!hasFrom || from.empty())
        return simUsageError(args, "--from NUMBER is required");
    long sim = 0;
    if (!simText.empty() && !parseCount(simText, 0, 2, sim))
        return simUsageError(args, "--sim needs a SIM slot from 0 to 2");
    message.simIndex = static_cast<int>(sim);
    message.text = text;
    simSetIncomingSender(message, from, members);
    simFilterIncoming(message);
    int msgId = -1;
    int result = msg_store::PhoneSide::insertMessage(message, &msgId);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot receive the message");
    std::printf("received MMS %d\n", msgId);
    return 0;
}

int runQueue(SimArgs& args) {
    simTakeDevice(args);
    std::string threadText, text;
    bool hasThread = args.option("--thread", threadText);
    args.option("--text", text);
    if (!args.ok())
        return simUsageError(args, args.error());
    int threadId = -1;
    if (!hasThread || !simParseId(threadText, threadId))
        return simUsageError(args, "--thread ID is required");
    if (text.empty())
        return simUsageError(args, "--text TEXT is required");
    int msgId = -1;
    int result = msg_store::MessageManager().sendSMS(threadId, "", text, 0, &msgId);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot queue the message");
    std::printf("message %d is being sent (fail it with: msg-sim fail %d)\n", msgId, msgId);
    return 0;
}

int runRetime(SimArgs& args) {
    simTakeDevice(args);
    std::string timeText;
    bool hasTime = args.option("--time", timeText);
    if (!args.ok(1) || args.rest().empty())
        return simUsageError(args, args.ok(1) ? "MESSAGE_ID is required" : args.error());
    int msgId = -1;
    long long seconds = hasTime ? std::strtoll(timeText.c_str(), nullptr, 10) : 0;
    if (!simParseId(args.rest().front(), msgId))
        return simUsageError(args, "MESSAGE_ID must be a message id");
    if (seconds <= 0)
        return simUsageError(args, "--time needs seconds since the epoch");
    int result = msg_store::PhoneSide::setTime(msgId, seconds * 1000);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot change the time of message " + std::to_string(msgId));
    std::printf("message %d now at %s\n", msgId, simFormatTime(seconds * 1000).c_str());
    return 0;
}

} // namespace

} // namespace msg_sim

void msg_sim::registerConversationCommands() {
    addSimCommand({"bulk", "--thread ID --count N [--span-days D]",
                   "adds N messages to a conversation over the last D days, in one change", runBulk});
    addSimCommand(
        {"receive-mms",
         "--from NUMBER [--text T] [--subject S] [--image PATH]... [--video PATH [--still PATH]] "
         "[--audio PATH]... "
         "[--file PATH]... [--group N2,N3] [--sim 0-2] [--protected] [--on-phone | --not-retrieved]",
         "a received MMS with the parts and marks asked for", runReceiveMms});
    addSimCommand({"queue", "--thread ID --text TEXT",
                   "puts a message of ours in the outbox, being sent, as the composer would", runQueue});
    addSimCommand({"retime", "MESSAGE_ID --time SECONDS", "the phone corrects a message's time", runRetime});
}
