// Feeds arbitrary stored messages (a type name, a subject and a text, as the phone side writes
// them) to the model of a list row and the row's markup, and checks what the row relies on: the
// body is a whole-character prefix of the text within its limit, the subject is kept, and what
// reaches the label is escaped, valid text.
#include "../common/FuzzSupport.h"
#include "common/MCommonMsgStore.h"
#include "list/IMLItemDataProvider.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLItemContentModel.h"

#include <cstdint>
#include <string>

using namespace msg_app::msg_list;
using msg_fuzz::check;
using msg_fuzz::isValidUtf8;

namespace {

class OneMessage : public IMLItemDataProvider {
public:
    explicit OneMessage(const msg_store::Message& msg) : _msg(msg) {}
    bool getThreadById(int, msg_store::Thread&) override { return false; }
    bool getMessageById(int msgId, msg_store::Message& out) override {
        if (msgId != _msg.msgId)
            return false;
        out = _msg;
        return true;
    }

private:
    msg_store::Message _msg;
};

// The fields are separated by NUL bytes, as no stored text holds one.
std::string takeField(const uint8_t*& data, const uint8_t* end) {
    const uint8_t* start = data;
    while (data < end && *data)
        ++data;
    std::string field(reinterpret_cast<const char*>(start), static_cast<size_t>(data - start));
    if (data < end)
        ++data;
    return field;
}

void checkMarkup(const std::string& text) {
    if (isValidUtf8(text))
        msg_fuzz::checkEscapedMarkup(MLItemContent::toMarkup(text));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    msg_fuzz::quietLogs();
    msg_fuzz::startToolkit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16)
        return 0;
    const uint8_t* end = data + size;
    msg_store::Message msg;
    msg.msgId = 7;
    msg.threadId = -1;
    msg.msgType = takeField(data, end);
    msg.subject = takeField(data, end);
    msg.text = takeField(data, end);

    OneMessage provider(msg);
    msg_app::MCommonMsgStore store;
    MLItemContentModel model(MSG, store);
    check(model.init(msg.msgId, &provider));
    check(model.getMsgType() >= MSG_TYPE_SMS && model.getMsgType() <= MSG_TYPE_FT);

    std::string subject = "unchanged";
    model.getSubject(subject);
    check(subject == (msg.subject.empty() ? "unchanged" : msg.subject));
    std::string body;
    model.getBody(body);
    const size_t limit =
        msg.subject.empty() ? MLItemContentModel::BODY_LIMIT : MLItemContentModel::BODY_LIMIT_WITH_SUBJECT;
    check(body.size() <= limit && msg.text.compare(0, body.size(), body) == 0);
    if (isValidUtf8(msg.text))
        check(isValidUtf8(body));
    checkMarkup(body);
    checkMarkup(msg.subject);
    return 0;
}
