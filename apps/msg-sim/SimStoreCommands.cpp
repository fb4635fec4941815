// msg-sim commands that read the message store and act on it as the watch's user would.
#include "SimStoreCommands.h"

#include "SimStoreOutput.h"
#include "msg_store/MessageManager.h"
#include "msg_store/ThreadManager.h"

#include <cstdio>

namespace msg_sim {

namespace {

std::string addressesOf(int threadId) {
    std::vector<msg_store::Address> addresses;
    msg_store::ThreadManager().getAddress(threadId, addresses);
    std::string joined;
    for (const auto& address : addresses) {
        if (!joined.empty())
            joined += ", ";
        joined += address.address;
    }
    return joined;
}

template <typename Record> void printRecord(const Record& r) {
    const char* status = simStatusName(r.networkStatus);
    std::printf("  #%-6d %s  %-12s %-4s %s%s%s%s\n", r.msgId, simFormatTime(r.time).c_str(),
                simFolderName(r.folderType), r.msgType.c_str(), r.isRead ? "" : "(unread) ",
                *status ? "[" : "", status, *status ? "] " : "");
    std::printf("          from/to %s\n", r.address.c_str());
    if (!r.subject.empty())
        std::printf("          subject: %s\n", r.subject.c_str());
    if (!r.text.empty())
        std::printf("          %s\n", r.text.c_str());
    for (const auto& c : r.contents) {
        if (c.mediaType != msg_store::Content::MEDIA_TYPE_TEXT)
            std::printf("          [part %d: %s %s]\n", c.contentId, c.mimeType.c_str(),
                        c.filePath.empty() ? "(on the phone)" : c.filePath.c_str());
    }
}

int listThreads(SimArgs& args) {
    std::vector<msg_store::Thread> threads;
    int result = msg_store::ThreadManager().getAllThreads(threads);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot list the conversations");
    if (args.json()) {
        JsonBuilder* builder = json_builder_new();
        json_builder_begin_array(builder);
        for (const auto& thread : threads)
            simAddThread(builder, thread, addressesOf(thread.threadId));
        json_builder_end_array(builder);
        simPrintJson(builder);
        return 0;
    }
    std::printf("%zu conversation(s)\n", threads.size());
    for (const auto& t : threads) {
        std::string unread = t.unreadCount ? " " + std::to_string(t.unreadCount) + " unread" : "";
        std::printf("#%-5d %s  %s%s  (%d message(s)%s)\n        %s%s%s\n", t.threadId,
                    simFormatTime(t.time).c_str(), addressesOf(t.threadId).c_str(),
                    t.isGroupChat ? " [group]" : "", t.msgCount, unread.c_str(), t.msgType.c_str(),
                    t.snippet.empty() ? "" : ": ", t.snippet.substr(0, 60).c_str());
    }
    return 0;
}

template <typename Record>
int printRecords(SimArgs& args, const std::vector<Record>& records, const char* title) {
    if (args.json()) {
        JsonBuilder* builder = json_builder_new();
        json_builder_begin_array(builder);
        for (const auto& record : records) {
            if constexpr (std::is_same_v<Record, msg_store::Message>)
                simAddMessage(builder, record);
            else
                simAddConversation(builder, record);
        }
        json_builder_end_array(builder);
        simPrintJson(builder);
        return 0;
    }
    std::printf("%s: %zu message(s)\n", title, records.size());
    for (const auto& record : records)
        printRecord(record);
    return 0;
}

int runList(SimArgs& args) {
    simTakeDevice(args);
    std::string threadText;
    bool hasThread = args.option("--thread", threadText);
    bool blocked = args.flag("--blocked");
    if (!args.ok())
        return simUsageError(args, args.error());
    if (hasThread && blocked)
        return simUsageError(args, "--thread and --blocked exclude each other");
    if (blocked) {
        msg_store::ListCondition condition;
        condition.newestFirst = 1;
        condition.folderFilter = msg_store::FOLDER_WATCH_SPAM;
        std::vector<msg_store::Message> messages;
        int result = msg_store::MessageManager().getMessages(condition, messages);
        if (result != msg_store::MSG_STORE_SUCCESS)
            return simStoreResult(args, result, "cannot list the blocked messages");
        return printRecords(args, messages, "blocked");
    }
    if (!hasThread)
        return listThreads(args);
    int threadId = 0;
    if (!simParseId(threadText, threadId))
        return simUsageError(args, "--thread needs a thread id, not '" + threadText + "'");
    std::vector<msg_store::Conversation> conversations;
    int result = msg_store::MessageManager().getConversations(threadId, conversations);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot list thread " + threadText);
    return printRecords(args, conversations,
                        ("thread " + threadText + " with " + addressesOf(threadId)).c_str());
}

// "--message ID" or "--thread ID", exactly one; false after printing the usage error.
bool takeTarget(SimArgs& args, int& msgId, int& threadId, int& exitCode) {
    simTakeDevice(args);
    std::string message, thread;
    bool hasMessage = args.option("--message", message);
    bool hasThread = args.option("--thread", thread);
    if (!args.ok()) {
        exitCode = simUsageError(args, args.error());
        return false;
    }
    if (hasMessage == hasThread) {
        exitCode = simUsageError(args, "give either --message ID or --thread ID");
        return false;
    }
    const std::string& text = hasMessage ? message : thread;
    int& id = hasMessage ? msgId : threadId;
    if (!simParseId(text, id)) {
        exitCode = simUsageError(args, "'" + text + "' is not an id");
        return false;
    }
    return true;
}

int runDelete(SimArgs& args) {
    int msgId = 0, threadId = 0, exitCode = 0;
    if (!takeTarget(args, msgId, threadId, exitCode))
        return exitCode;
    int result = msgId ? msg_store::MessageManager().deleteMessage(msgId)
                       : msg_store::ThreadManager().deleteThread(threadId);
    if (result == msg_store::MSG_STORE_SUCCESS && !args.json())
        std::printf("deleted %s %d\n", msgId ? "message" : "thread", msgId ? msgId : threadId);
    return simStoreResult(args, result, "cannot delete");
}

int runRead(SimArgs& args) {
    int msgId = 0, threadId = 0, exitCode = 0;
    if (!takeTarget(args, msgId, threadId, exitCode))
        return exitCode;
    int result = msgId ? msg_store::MessageManager().readMessage(msgId)
                       : msg_store::ThreadManager().readThread(threadId);
    if (result == msg_store::MSG_STORE_SUCCESS && !args.json())
        std::printf("marked %s %d read\n", msgId ? "message" : "thread", msgId ? msgId : threadId);
    return simStoreResult(args, result, "cannot mark read");
}

} // namespace

} // namespace msg_sim

void msg_sim::registerStoreCommands() {
    addSimCommand({"list", "[--thread ID | --blocked]",
                   "lists the conversations, one conversation's messages, or the blocked messages", runList});
    addSimCommand({"delete", "--message ID | --thread ID", "deletes a message or a conversation", runDelete});
    addSimCommand({"read", "--message ID | --thread ID", "marks a message or a conversation read", runRead});
}
