#include "trace.h"

#include "DeviceSettings.h"
#include "JournalStore.h"
#include "log/PlatformLog.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool recording() {
    static const bool enabled = msg_services::DeviceSettings::getBool("memory/private/trace/enabled", false);
    return enabled;
}

std::vector<std::string>& openTraces() {
    thread_local std::vector<std::string> stack;
    return stack;
}

} // namespace

extern "C" void trace_begin(const char* fmt, ...) {
    PLAT_RET_IF(!fmt, "fmt is null");
    char name[256];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(name, sizeof(name), fmt, ap);
    va_end(ap);
    openTraces().push_back(name);
    PLAT_LOGD("trace begin: %s", name);
    if (recording())
        msg_services::JournalStore::append("trace", "begin", name);
}

extern "C" void trace_end(void) {
    auto& stack = openTraces();
    PLAT_RET_IF(stack.empty(), "trace_end without trace_begin");
    std::string name = std::move(stack.back());
    stack.pop_back();
    PLAT_LOGD("trace end: %s", name.c_str());
    if (recording())
        msg_services::JournalStore::append("trace", "end", name);
}
