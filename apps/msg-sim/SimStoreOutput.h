/*
 * What the store commands of msg-sim share: reading ids, reporting store
 * results, and printing threads and messages as text or JSON.
 */
#ifndef MSG_SIM_SIMSTOREOUTPUT_H
#define MSG_SIM_SIMSTOREOUTPUT_H

#include "SimCommand.h"
#include "msg_store/Conversation.h"
#include "msg_store/Message.h"
#include "msg_store/Thread.h"

#include <json-glib/json-glib.h>
#include <string>
#include <vector>

namespace msg_sim {

// Takes "--device DIR" given after the command's name.
void simTakeDevice(SimArgs& args);

// A positive decimal id; false for anything else.
bool simParseId(const std::string& text, int& id);

const char* simResultText(int result);
// ": the device folder DIR is read-only, changes cannot be saved" when this process's last write was
// refused for its storage or the device cannot be written at all, else empty.
std::string simWriteFailure();
// Exit code for a store result: 0 on success, else 1 with "what: reason" on stderr.
int simStoreResult(const SimArgs& args, int result, const std::string& what);

// One member of the object being built.
void simJsonInt(JsonBuilder* builder, const char* name, int64_t value);
void simJsonString(JsonBuilder* builder, const char* name, const char* value);
void simJsonBool(JsonBuilder* builder, const char* name, bool value);

void simAddThread(JsonBuilder* builder, const msg_store::Thread& thread, const std::string& addresses);
void simAddConversation(JsonBuilder* builder, const msg_store::Conversation& conversation);
void simAddMessage(JsonBuilder* builder, const msg_store::Message& message);
// Prints the builder's root, pretty, to stdout, and frees the builder.
void simPrintJson(JsonBuilder* builder);

std::string simFormatTime(int64_t timeMs);
const char* simFolderName(int folder);
const char* simStatusName(int status);

} // namespace msg_sim

#endif
