#ifndef MSG_SIM_SIMLAUNCHREPLY_H
#define MSG_SIM_SIMLAUNCHREPLY_H

#include "LaunchJournal.h"
#include "SimCommand.h"

#include <string>
#include <utility>
#include <vector>

namespace msg_sim {

// Answers the journalled request as its target application would: the result and the extras.
msg_services::LaunchJournal::ReplyResult
recordLaunchReply(int64_t id, int result, const std::vector<std::pair<std::string, std::string>>& extras);

// Answers a request journalled for the picker `appId` (called `pickerName` in messages) with the
// extras, or cancels it; the command's exit code.
int answerPicker(const SimArgs& args, int64_t id, const char* appId, const char* pickerName, bool cancel,
                 const std::vector<std::pair<std::string, std::string>>& extras);

} // namespace msg_sim

#endif
