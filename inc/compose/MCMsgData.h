/*
 * The composer's data record: what a launch request, the body screen and the
 * send manager share about the one message this composer sends.
 */
#ifndef MSG_APP_COMPOSE_MCMSGDATA_H
#define MSG_APP_COMPOSE_MCMSGDATA_H

#include <string>
#include <vector>

namespace msg_app {
namespace compose {

// Who opened the composer. Any value but IN_APP runs in a process of its own that ends with the
// composer.
enum AppControlType : int {
    APP_CONTROL_IN_APP = 0,
    APP_CONTROL_COMPOSE = 1,
    APP_CONTROL_SEND = 2,
};

enum MsgType : int {
    MSG_TYPE_SMS = 0,
    MSG_TYPE_MMS = 1,
};

enum FileType : int {
    FILE_TYPE_NONE = 0,
    FILE_TYPE_TEXT = 1,
    FILE_TYPE_IMAGE = 2,
    FILE_TYPE_AUDIO = 3,
};

// How far sending one message has gone. Each step is taken once for the message, whatever its
// tries (the other road, the next page): the modem switched on in a gray zone, the read report
// of the message it answers.
class MCSendProgress {
public:
    enum Step : unsigned {
        ATTEMPTED = 1u << 0,
        MODEM_CHECKED = 1u << 1,
        READ_REPORTED = 1u << 2,
    };
    bool has(Step step) const { return (_done & step) != 0; }
    // True when the step is to be taken now: the first time only.
    bool takeFirst(Step step) {
        bool first = !has(step);
        _done |= step;
        return first;
    }

private:
    unsigned _done = 0;
};

struct MCMsgData {
    bool hideSendingPopup = false;
    int msgId = 0; // a stored message to load, 0 or below for none
    int threadId = 0;
    int simIndex = 0;
    int readRequest = 0;
    MsgType msgType = MSG_TYPE_SMS;
    int fileType = FILE_TYPE_NONE;
    std::string attachPath;
    std::string body;
    std::vector<std::string> recipient;
    bool newMsgFromSelector = false;
    bool backgroundSend = false;
    bool noGroupMms = false;
    bool multipleRecipient = false;
    int sentMsgId = 0;
    int pendingMsgId = 0;
    int smsPageCount = 0;
    MCSendProgress sendProgress;
};

} // namespace compose
} // namespace msg_app

#endif
