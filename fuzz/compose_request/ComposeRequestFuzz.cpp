// Feeds arbitrary launch requests, in the JSON form in which requests travel
// between processes, to the composer's request parser, and checks what must
// always hold: no crash, and a record that the parser accepted is sound.
#include "AppControlJson.h"
#include "compose/launch/MCAppControlParser.h"
#include "compose/launch/MCWorkPathMgr.h"
#include "dlog.h"

#include <glib.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace msg_app::compose;

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void checkRecord(const MCMsgData& msg) {
    for (const auto& recipient : msg.recipient)
        check(!recipient.empty());
    check(msg.recipient.size() < 2 || msg.msgType == MSG_TYPE_MMS);
    check(msg.body.size() <= MCAppControlParser::MAX_VALUE_BYTES);
    check(msg.body.empty() == (msg.smsPageCount == 0) || !msg.attachPath.empty());
    if (!msg.attachPath.empty()) {
        const std::string& work = MCWorkPathMgr::getInstance()->getWorkingPath();
        check(!work.empty() && msg.attachPath.compare(0, work.size(), work) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A device of its own, so that a stored message id reads a real, empty store.
    char* dir = g_dir_make_tmp("msg-fuzz-XXXXXX", nullptr);
    g_setenv("MSG_DEVICE_DIR", dir, TRUE);
    g_free(dir);
    dlog_set_min_priority(DLOG_FATAL);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string json(reinterpret_cast<const char*>(data), size);
    app_control_h handle = nullptr;
    app_control_create(&handle);
    if (msg_services::appControlFromJson(json, *handle)) {
        MCAppControlParser parser;
        auto fromOperation = std::make_shared<MCMsgData>();
        if (parser.parseOperationData(handle, fromOperation))
            checkRecord(*fromOperation);
        auto fromExtras = std::make_shared<MCMsgData>();
        if (parser.parseExtraData(handle, fromExtras))
            checkRecord(*fromExtras);
    }
    app_control_destroy(handle);
    MCWorkPathMgr* work = MCWorkPathMgr::getInstance();
    if (!work->getWorkingPath().empty())
        work->destroyWorkingDir();
    return 0;
}
