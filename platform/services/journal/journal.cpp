#include "journal.h"

#include "JournalStore.h"
#include "log/PlatformLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <glib.h>

extern "C" int journal_log(const char* category, const char* fmt, ...) {
    PLAT_RETV_IF(!category || !*category || !fmt, JOURNAL_ERROR_INVALID_PARAMETER,
                 "category or text is null");
    PLAT_RETV_IF(std::strlen(category) > JOURNAL_CATEGORY_MAX, JOURNAL_ERROR_INVALID_PARAMETER,
                 "category is too long");
    char text[JOURNAL_TEXT_MAX + 2];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(text, sizeof(text), fmt, ap);
    va_end(ap);
    PLAT_RETV_IF(n < 0 || n > JOURNAL_TEXT_MAX, JOURNAL_ERROR_INVALID_PARAMETER, "text is too long");
    PLAT_RETV_IF(!g_utf8_validate(category, -1, nullptr) || !g_utf8_validate(text, n, nullptr),
                 JOURNAL_ERROR_INVALID_PARAMETER, "text is not UTF-8");
    return msg_services::JournalStore::append("journal", category, text) ? JOURNAL_ERROR_NONE
                                                                         : JOURNAL_ERROR_IO_ERROR;
}
