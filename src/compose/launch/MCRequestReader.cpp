#include "compose/launch/MCRequestReader.h"

#include "common/MsgLog.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <glib.h>

namespace msg_app {
namespace compose {

MCRequestReader::Result MCRequestReader::getExtra(app_control_h handle, const char* key, size_t maxBytes,
                                                  std::string& out) {
    char* value = nullptr;
    int ret = app_control_get_extra_data(handle, key, &value);
    if (ret == APP_CONTROL_ERROR_INVALID_DATA_TYPE) {
        MSG_LOGE("%s is an array where a value was expected", key);
        return INVALID;
    }
    if (ret != APP_CONTROL_ERROR_NONE || !value || !*value) {
        free(value);
        return ABSENT;
    }
    std::string text(value);
    free(value);
    if (text.size() > maxBytes) {
        MSG_LOGE("%s is %zu bytes, above the limit of %zu", key, text.size(), maxBytes);
        return INVALID;
    }
    out = std::move(text);
    return PRESENT;
}

MCRequestReader::Result MCRequestReader::getArray(app_control_h handle, const char* key, int maxLength,
                                                  size_t maxBytes, std::vector<std::string>& out) {
    char** values = nullptr;
    int length = 0;
    int ret = app_control_get_extra_data_array(handle, key, &values, &length);
    MSG_LOGD("arrayKey : %s, dataArray : %p, arrayLength : %d", key, static_cast<void*>(values), length);
    if (ret != APP_CONTROL_ERROR_NONE || !values || length <= 0) {
        free(values);
        return ret == APP_CONTROL_ERROR_INVALID_DATA_TYPE ? INVALID : ABSENT;
    }
    Result result = PRESENT;
    if (length > maxLength) {
        MSG_LOGE("%s has %d elements, above the limit of %d", key, length, maxLength);
        result = INVALID;
    }
    std::vector<std::string> elements;
    for (int i = 0; i < length; ++i) {
        if (result == PRESENT && values[i] && std::strlen(values[i]) > maxBytes) {
            MSG_LOGE("%s[%d] is above the limit of %zu bytes", key, i, maxBytes);
            result = INVALID;
        }
        if (result == PRESENT)
            elements.emplace_back(values[i] ? values[i] : "");
        free(values[i]);
    }
    free(values);
    if (result == PRESENT)
        out = std::move(elements);
    return result;
}

bool MCRequestReader::toInt(const char* key, const std::string& text, int& out) {
    const char* begin = text.c_str();
    size_t digits = (*begin == '-' || *begin == '+') ? 1 : 0;
    bool allDigits =
        text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos;
    errno = 0;
    char* end = nullptr;
    long long value = allDigits ? std::strtoll(begin, &end, 10) : 0;
    if (!allDigits || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        MSG_LOGE("%s is not a whole number within range: \"%.32s\"", key, text.c_str());
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool MCRequestReader::percentDecode(const std::string& text, std::string& out) {
    // Refuses a broken escape and one that would put a NUL in the text.
    char* decoded = g_uri_unescape_string(text.c_str(), nullptr);
    MSG_RETV_IF(!decoded, false, "malformed escape in \"%.32s\"", text.c_str());
    bool valid = g_utf8_validate(decoded, -1, nullptr);
    if (!valid) {
        MSG_LOGE("escapes of \"%.32s\" are not UTF-8", text.c_str());
        g_free(decoded);
        return false;
    }
    out = decoded;
    g_free(decoded);
    return true;
}

} // namespace compose
} // namespace msg_app
