// Feeds arbitrary text to the readers of a received launch request and of an encoded bundle, and
// checks what a receiver relies on: whatever is accepted reads back through the extras calls
// without a fault, and writing it out again and reading that gives the same request.
#include "AppControl.h"
#include "Bundle.h"
#include "app_control.h"
#include "bundle.h"
#include "dlog.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Reads every extra the way the composer reads its request: as a text or as an array.
bool readExtra(app_control_h handle, const char* key, void*) {
    bool array = false;
    check(app_control_is_extra_data_array(handle, key, &array) == APP_CONTROL_ERROR_NONE);
    if (array) {
        char** values = nullptr;
        int length = -1;
        check(app_control_get_extra_data_array(handle, key, &values, &length) == APP_CONTROL_ERROR_NONE);
        check(length >= 0 && (length == 0 || values));
        for (int i = 0; i < length; ++i) {
            check(values[i] != nullptr);
            free(values[i]);
        }
        free(values);
    } else {
        char* value = nullptr;
        check(app_control_get_extra_data(handle, key, &value) == APP_CONTROL_ERROR_NONE && value);
        free(value);
    }
    return true;
}

void fuzzRequest(const std::string& text) {
    app_control_s parsed;
    if (!msg_services::appControlFromJson(text, parsed))
        return;
    const std::string written = msg_services::appControlToJson(parsed);
    app_control_s again;
    check(msg_services::appControlFromJson(written, again));
    check(msg_services::appControlToJson(again) == written);

    app_control_h handle = nullptr;
    check(app_control_create(&handle) == APP_CONTROL_ERROR_NONE);
    handle->extras = parsed.extras;
    check(app_control_foreach_extra_data(handle, readExtra, nullptr) == APP_CONTROL_ERROR_NONE);
    app_control_destroy(handle);
}

void fuzzBundle(const std::string& text) {
    bundle* decoded =
        bundle_decode(reinterpret_cast<const bundle_raw*>(text.data()), static_cast<int>(text.size()));
    if (!decoded)
        return;
    bundle_raw* raw = nullptr;
    int length = 0;
    check(bundle_encode(decoded, &raw, &length) == BUNDLE_ERROR_NONE && raw);
    bundle* again = bundle_decode(raw, length);
    check(again && again->entries.size() == decoded->entries.size());
    bundle_raw* rawAgain = nullptr;
    int lengthAgain = 0;
    check(bundle_encode(again, &rawAgain, &lengthAgain) == BUNDLE_ERROR_NONE);
    check(std::string(reinterpret_cast<char*>(raw), static_cast<size_t>(length)) ==
          std::string(reinterpret_cast<char*>(rawAgain), static_cast<size_t>(lengthAgain)));
    bundle_free_encoded_rawdata(&rawAgain);
    bundle_free_encoded_rawdata(&raw);
    bundle_free(again);
    bundle_free(decoded);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every refused request logs; writing them all would slow fuzzing to a crawl.
    dlog_set_min_priority(DLOG_SILENT);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    fuzzRequest(text);
    fuzzBundle(text);
    return 0;
}
