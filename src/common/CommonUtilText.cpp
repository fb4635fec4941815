#include "common/CommonUtilText.h"

#include "common/MsgLog.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace common_util {

namespace {

constexpr const char kLtrMark[] = "\xE2\x80\x8E"; // U+200E
constexpr const char kPdfMark[] = "\xE2\x80\xAC"; // U+202C
constexpr size_t kLtrMarkLen = sizeof(kLtrMark) - 1;

} // namespace

char* convert_cr_to_nl(const char* text) {
    MSG_RETV_IF(!text, nullptr, "text is null");
    char* result = strdup(text);
    MSG_RETV_IF(!result, nullptr, "out of memory");
    for (char* p = result; *p; ++p) {
        if (*p == '\r' && p[1] != '\n')
            *p = '\n';
    }
    return result;
}

bool has_ltr_prefix(const char* text) {
    return text && std::strncmp(text, kLtrMark, kLtrMarkLen) == 0;
}

void add_ltr_mark(std::string& text) {
    text.insert(0, kLtrMark);
    text += kPdfMark;
}

void del_ltr_mark(std::string& text) {
    if (has_ltr_prefix(text.c_str()))
        text.erase(0, kLtrMarkLen);
    size_t end = text.find(kPdfMark);
    if (end != std::string::npos)
        text.erase(end);
}

} // namespace common_util
} // namespace msg_app
