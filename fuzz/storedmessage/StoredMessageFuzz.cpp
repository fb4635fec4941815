// Feeds arbitrary stored messages (a type name, a subject and a text, as the phone side writes
// them) to the model of a list row and the row's markup, and checks what the row relies on: the
// body is a whole-character prefix of the text within its limit, the subject is kept, and what
// reaches the label is escaped, valid text.
#include "dlog.h"
#include "list/IMLItemDataProvider.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLItemContentModel.h"

#include <Elementary.h>
#include <glib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace msg_app::msg_list;

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool isValid(const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

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
    const std::string markup = MLItemContent::toMarkup(text);
    if (!isValid(text))
        return;
    check(isValid(markup));
    char* plain = elm_entry_markup_to_utf8(markup.c_str());
    char* again = plain ? elm_entry_utf8_to_markup(plain) : nullptr;
    check(again && markup == again);
    free(again);
    free(plain);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Unknown type names log; writing them all would slow fuzzing to a crawl.
    dlog_set_min_priority(DLOG_SILENT);
    setenv("ELM_ENGINE", "buffer", 1);
    setenv("EINA_LOG_LEVELS", "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0", 1);
    elm_init(0, nullptr);
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
    MLItemContentModel model(MSG);
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
    if (isValid(msg.text))
        check(isValid(body));
    checkMarkup(body);
    checkMarkup(msg.subject);
    return 0;
}
