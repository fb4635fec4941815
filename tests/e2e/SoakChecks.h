#ifndef MSG_TESTS_E2E_SOAKCHECKS_H
#define MSG_TESTS_E2E_SOAKCHECKS_H

#include "ShownScreen.h"

#include <cstdint>
#include <string>
#include <vector>

namespace msg_e2e {

// A conversation as `msg-sim list --json` tells it.
struct StoreThread {
    int id = 0;
    std::string snippet;
    std::string subject;
    int unread = 0;
};

// A message as `msg-sim list --thread ID --json` tells it.
struct StoreMessage {
    int id = 0;
    int64_t time = 0;
    std::string text;
    std::string subject;
};

// The store's conversations, newest first; false when `json` is not a list of them.
bool parseStoreThreads(const std::string& json, std::vector<StoreThread>* threads);
// A conversation's messages, oldest first (by time, then by id); false when not a list of them.
bool parseStoreMessages(const std::string& json, std::vector<StoreMessage>* messages);

// A text as a reader compares it: direction marks and embedded objects dropped, runs of white
// space made one space, digits of every script made ASCII.
std::string plainText(const std::string& text);

// What the soak holds the application to, each against the store. Each returns what is wrong in
// a sentence, or an empty string when it holds.
//
// The conversation list (the only page): it has a row per conversation of the store, and each row
// in view shows its conversation's text, in the store's order, and its unread count.
std::string checkConversationList(const ShownScreen& shown, const std::vector<StoreThread>& threads);
// An open conversation: a bubble per message of the store, and the last bubble, when in view,
// shows the newest message.
std::string checkConversation(const ShownScreen& shown, const std::vector<StoreMessage>& messages);
// An open conversation: the bubble of `text`, a message the user has just sent, lies whole in view
// (or fills the view, when taller than it).
std::string checkSentInView(const ShownScreen& shown, const std::string& text);
// The list of the page on top: its rows fill it, with blank space only past its first or last row.
std::string checkRowsFillTheList(const ShownScreen& shown);
// The application's own words (the list's title, the reply label, the select mode's button) are in
// the device's language (`locale`, as the setting holds it), in its script.
std::string checkLanguage(const ShownScreen& shown, const std::string& locale);
// Select mode: the count shown is the number of checked rows, where every row is in view.
std::string checkSelectCount(const ShownScreen& shown);
// The lines of the application's log that tell of an object used while not valid or after it was
// freed.
std::vector<std::string> badLogLines(const std::string& log);

} // namespace msg_e2e

#endif
