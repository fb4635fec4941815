// msg-sim commands of the paired phone: messages arrive, sends complete or fail.
#include "SimPhoneCommands.h"

#include "SimIncomingSender.h"
#include "SimPhoneActions.h"
#include "SimPhoneLink.h"
#include "SimStoreOutput.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"

#include <Ecore.h>
#include <cstdio>
#include <cstdlib>
#include <glib.h>
#include <map>

namespace msg_sim {

namespace {

msg_store::Content fileContent(const std::string& path, const char* mime,
                               msg_store::Content::MediaType media) {
    msg_store::Content content;
    content.filePath = path;
    content.fileName = path.substr(path.rfind('/') + 1);
    content.mimeType = mime;
    content.mediaType = media;
    content.isAttachment = media == msg_store::Content::MEDIA_TYPE_NONE;
    content.transferStatus = msg_store::Content::TRANSFER_DOWNLOADED;
    return content;
}

// Adds "--image/--audio/--file PATH" as an MMS part; false after a usage error.
bool takeAttachment(SimArgs& args, msg_store::IncomingMessage& message, int& exitCode) {
    struct Kind {
        const char* option;
        const char* mime;
        msg_store::Content::MediaType media;
    };
    const Kind kinds[] = {{"--image", "image/png", msg_store::Content::MEDIA_TYPE_IMAGE},
                          {"--audio", "audio/wav", msg_store::Content::MEDIA_TYPE_AUDIO},
                          {"--file", "application/octet-stream", msg_store::Content::MEDIA_TYPE_NONE}};
    for (const Kind& kind : kinds) {
        std::string path;
        if (!args.option(kind.option, path))
            continue;
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            std::fclose(file);
        } else {
            exitCode = simUsageError(args, "cannot read " + path);
            return false;
        }
        message.msgType = "mms";
        message.contents.push_back(fileContent(path, kind.mime, kind.media));
    }
    return true;
}

int runReceive(SimArgs& args) {
    simTakeDevice(args);
    msg_store::IncomingMessage message;
    std::string from, text, textFile, members, subject, timeText;
    bool hasFrom = args.option("--from", from);
    bool hasText = args.option("--text", text);
    bool hasTextFile = args.option("--text-file", textFile);
    args.option("--group", members);
    args.option("--subject", subject);
    args.option("--time", timeText);
    bool spam = args.flag("--spam");
    bool watch = args.flag("--watch");
    bool alert = args.flag("--alert");
    message.isRead = args.flag("--read");
    int exitCode = 0;
    if (!takeAttachment(args, message, exitCode))
        return exitCode;
    if (!args.ok())
        return simUsageError(args, args.error());
    if (!hasFrom || from.empty())
        return simUsageError(args, "--from NUMBER is required");
    if (hasText && hasTextFile)
        return simUsageError(args, "--text and --text-file exclude each other");
    // A text no command line can carry (a megabyte, a zero byte, any bytes at all), stored as read.
    if (hasTextFile) {
        gchar* contents = nullptr;
        gsize length = 0;
        GError* error = nullptr;
        if (!g_file_get_contents(textFile.c_str(), &contents, &length, &error)) {
            std::string reason = error ? error->message : "cannot be read";
            g_clear_error(&error);
            return simUsageError(args, "--text-file " + textFile + ": " + reason);
        }
        text.assign(contents, length);
        g_free(contents);
        hasText = true;
    }
    if (!hasText && message.contents.empty())
        return simUsageError(args, "--text TEXT (or an attachment) is required");
    if (!timeText.empty()) {
        char* end = nullptr;
        message.time = std::strtoll(timeText.c_str(), &end, 10) * 1000;
        if (!end || *end || message.time <= 0)
            return simUsageError(args, "--time needs seconds since the epoch");
    }
    simSetIncomingSender(message, from, members);
    message.text = text;
    message.subject = subject;
    if (!subject.empty())
        message.msgType = "mms";
    if (message.msgType == "mms" && !text.empty()) {
        msg_store::Content part;
        part.mediaType = msg_store::Content::MEDIA_TYPE_TEXT;
        part.mimeType = "text/plain";
        part.text = text;
        message.contents.insert(message.contents.begin(), part);
    }
    if (alert)
        message.msgType = "cmas";
    message.folderType = spam ? msg_store::FOLDER_WATCH_SPAM
                              : (watch ? msg_store::FOLDER_WATCH_INBOX : msg_store::FOLDER_INBOX);
    simFilterIncoming(message);
    int msgId = -1;
    int result = msg_store::PhoneSide::insertMessage(message, &msgId);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot receive the message");
    msg_store::Message stored;
    msg_store::MessageManager().getMessage(msgId, stored);
    if (args.json())
        std::printf("{\"id\": %d, \"thread\": %d}\n", msgId, stored.threadId);
    else
        std::printf("received message %d in thread %d\n", msgId, stored.threadId);
    return 0;
}

bool takeMessageId(SimArgs& args, int& msgId, int& exitCode) {
    if (!args.ok(1)) {
        exitCode = simUsageError(args, args.error());
        return false;
    }
    if (args.rest().empty() || !simParseId(args.rest()[0], msgId)) {
        exitCode = simUsageError(args, "a message id is required");
        return false;
    }
    return true;
}

int runDeliver(SimArgs& args) {
    simTakeDevice(args);
    int msgId = 0, exitCode = 0;
    if (!takeMessageId(args, msgId, exitCode))
        return exitCode;
    if (std::string why = simPhoneCannotSend(msgId); !why.empty())
        return simFailure(args, why);
    int result = msg_store::PhoneSide::deliver(msgId);
    if (result == msg_store::MSG_STORE_SUCCESS && !args.json())
        std::printf("message %d sent\n", msgId);
    return simStoreResult(args, result, "cannot deliver message " + std::to_string(msgId));
}

int runFail(SimArgs& args) {
    simTakeDevice(args);
    std::string statusText;
    bool hasStatus = args.option("--status", statusText);
    int msgId = 0, exitCode = 0;
    if (!takeMessageId(args, msgId, exitCode))
        return exitCode;
    int status = msg_store::NETWORK_STATUS_SEND_FAIL;
    if (hasStatus && !simParseId(statusText, status))
        return simUsageError(args, "--status needs a failure status (3-7, 14, 15)");
    if (std::string why = simPhoneCannotSend(msgId); !why.empty())
        return simFailure(args, why);
    int result = msg_store::PhoneSide::fail(msgId, static_cast<msg_store::NetworkStatus>(status));
    if (result == msg_store::MSG_STORE_SUCCESS && !args.json())
        std::printf("message %d failed with status %d\n", msgId, status);
    return simStoreResult(args, result, "cannot fail message " + std::to_string(msgId));
}

int runOutbox(SimArgs& args) {
    simTakeDevice(args);
    if (!args.ok())
        return simUsageError(args, args.error());
    std::vector<msg_store::OutboxEntry> entries;
    int result = msg_store::PhoneSide::getOutbox(entries);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot read the outbox");
    if (args.json()) {
        JsonBuilder* builder = json_builder_new();
        json_builder_begin_array(builder);
        for (const auto& e : entries) {
            json_builder_begin_object(builder);
            simJsonInt(builder, "id", e.msgId);
            simJsonInt(builder, "thread", e.threadId);
            simJsonString(builder, "address", e.address.c_str());
            simJsonString(builder, "route", e.route.c_str());
            json_builder_end_object(builder);
        }
        json_builder_end_array(builder);
        simPrintJson(builder);
        return 0;
    }
    std::printf("%zu message(s) sending\n", entries.size());
    for (const auto& e : entries)
        std::printf("  #%-6d %s to %s via %s\n", e.msgId, e.msgType.c_str(), e.address.c_str(),
                    e.route.c_str());
    return 0;
}

// The automatic phone: every send completes `delay` after the phone noticed it.
struct AutoPhone {
    SimPhone phone;
    double delay;
    std::map<int, double> due; // message id -> time to finish
    Ecore_Timer* timer = nullptr;

    void scan() {
        std::vector<msg_store::OutboxEntry> outbox;
        if (msg_store::PhoneSide::getOutbox(outbox) == msg_store::MSG_STORE_SUCCESS) {
            for (const auto& entry : outbox)
                due.emplace(entry.msgId, ecore_time_get() + delay);
        }
        std::vector<msg_store::PhoneRequest> requests;
        if (msg_store::PhoneSide::getRequests(requests) == msg_store::MSG_STORE_SUCCESS) {
            for (const auto& request : requests)
                phone.answer(request);
        }
        schedule();
    }

    void schedule() {
        if (timer)
            ecore_timer_del(timer);
        timer = nullptr;
        if (due.empty())
            return;
        double next = due.begin()->second;
        for (const auto& [id, at] : due)
            next = std::min(next, at);
        timer = ecore_timer_add(std::max(0.0, next - ecore_time_get()), timerCb, this);
    }

    static Eina_Bool timerCb(void* data) {
        auto* self = static_cast<AutoPhone*>(data);
        self->timer = nullptr;
        std::vector<msg_store::OutboxEntry> outbox;
        msg_store::PhoneSide::getOutbox(outbox);
        double now = ecore_time_get();
        for (const auto& entry : outbox) {
            auto it = self->due.find(entry.msgId);
            if (it != self->due.end() && it->second <= now)
                self->phone.finishSend(entry);
        }
        for (auto it = self->due.begin(); it != self->due.end();)
            it = it->second <= now ? self->due.erase(it) : std::next(it);
        self->schedule();
        return ECORE_CALLBACK_CANCEL;
    }

    static void changedCb(const char*, void* data) { static_cast<AutoPhone*>(data)->scan(); }
};

Eina_Bool quitCb(void*, int, void*) {
    ecore_main_loop_quit();
    return ECORE_CALLBACK_DONE;
}

Eina_Bool stopCb(void* data) {
    // The timer ends with this call; nothing may delete it again.
    *static_cast<Ecore_Timer**>(data) = nullptr;
    ecore_main_loop_quit();
    return ECORE_CALLBACK_CANCEL;
}

bool parseNumber(const std::string& text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && !*end && value >= low && value <= high;
}

int runPhone(SimArgs& args) {
    simTakeDevice(args);
    bool automatic = args.flag("--auto");
    std::string delayText, rateText, forText;
    bool hasDelay = args.option("--delay", delayText);
    bool hasRate = args.option("--fail-rate", rateText);
    bool hasFor = args.option("--for", forText);
    if (!args.ok())
        return simUsageError(args, args.error());
    double delayMs = 1500, rate = 0, seconds = 0;
    if (hasDelay && !parseNumber(delayText, 0, 600000, delayMs))
        return simUsageError(args, "--delay needs milliseconds (0-600000)");
    if (hasRate && !parseNumber(rateText, 0, 1, rate))
        return simUsageError(args, "--fail-rate needs a number from 0 to 1");
    if (hasFor && !parseNumber(forText, 0.1, 86400, seconds))
        return simUsageError(args, "--for needs seconds (0.1-86400)");
    if (!automatic) {
        if (hasDelay || hasFor)
            return simUsageError(args, "--delay and --for go with --auto");
        SimPhone phone(rate);
        return simStoreResult(args, phone.runOnce(), "the phone could not finish");
    }

    ecore_init();
    AutoPhone autoPhone{SimPhone(rate), delayMs / 1000.0, {}, nullptr};
    int result = msg_store::ConnectionManager::subscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE,
                                                              AutoPhone::changedCb, &autoPhone);
    if (result != msg_store::MSG_STORE_SUCCESS) {
        ecore_shutdown();
        return simStoreResult(args, result, "cannot watch the store");
    }
    Ecore_Event_Handler* quit = ecore_event_handler_add(ECORE_EVENT_SIGNAL_EXIT, quitCb, nullptr);
    Ecore_Timer* stop = nullptr;
    if (hasFor)
        stop = ecore_timer_add(seconds, stopCb, &stop);
    std::printf("phone: running automatically (delay %.0f ms, failure rate %.2f)\n", delayMs, rate);
    std::fflush(stdout);
    autoPhone.scan();
    ecore_main_loop_begin();

    if (stop)
        ecore_timer_del(stop);
    ecore_event_handler_del(quit);
    if (autoPhone.timer)
        ecore_timer_del(autoPhone.timer);
    msg_store::ConnectionManager::disconnect();
    ecore_shutdown();
    return 0;
}

} // namespace

} // namespace msg_sim

void msg_sim::registerPhoneCommands() {
    addSimCommand({"receive",
                   "--from NUMBER (--text TEXT | --text-file PATH) [--group N2,N3] [--subject S] "
                   "[--image|--audio|--file PATH] "
                   "[--spam] [--watch] [--alert] [--read] [--time SECONDS]",
                   "a message arrives from the phone's network", runReceive});
    addSimCommand({"deliver", "MESSAGE_ID", "the phone sent an outbox message", runDeliver});
    addSimCommand(
        {"fail", "MESSAGE_ID [--status 3-7|14|15]", "the phone failed to send an outbox message", runFail});
    addSimCommand({"outbox", "", "lists the messages waiting to be sent", runOutbox});
    addSimCommand({"phone", "[--auto [--delay MS] [--for SECONDS]] [--fail-rate P]",
                   "answers the watch once, or runs the phone automatically", runPhone});
}
