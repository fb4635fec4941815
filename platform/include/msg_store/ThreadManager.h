/*
 * Conversations: listing, reading, deleting and marking them read.
 */
#ifndef MSG_STORE_THREADMANAGER_H
#define MSG_STORE_THREADMANAGER_H

#include "msg_store/Address.h"
#include "msg_store/Thread.h"

#include <functional>
#include <vector>

namespace msg_store {

class ThreadManager {
public:
    // Every conversation with a message outside the spam folders, newest first (equal times:
    // higher id first). The vector is replaced only on success.
    int getAllThreads(std::vector<Thread>& threads);
    // The same conversations in the same order, handed to `take` one at a time as they are read, all
    // in one consistent read; it stops early (successfully) when `take` returns false.
    int readThreads(const std::function<bool(Thread&&)>& take);
    int getThread(int threadId, Thread& thread);
    // Deletes the conversation's messages outside the spam folders; the thread goes with them
    // unless blocked messages remain.
    int deleteThread(int threadId);
    int readThread(int threadId);
    int getAddress(int threadId, std::vector<Address>& addresses);
    // The conversation on screen, 0 for none.
    int setActiveThreadId(int threadId);
    int getActiveThreadId(int& threadId);
    // Re-derives the group-chat state from the addresses and announces it (event type 3).
    int updateGroupchatThread(int threadId);
};

} // namespace msg_store

#endif
