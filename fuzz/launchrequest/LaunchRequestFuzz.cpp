// Feeds arbitrary text to the reader of an encoded bundle, the form in which a launch request's
// extras travel between processes, and checks what a receiver relies on: whatever is accepted
// encodes to a text that decodes to the same bundle, and every extra reads back through the launch
// request's extras calls without a fault.
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

std::string encoded(bundle* b) {
    bundle_raw* raw = nullptr;
    int length = 0;
    check(bundle_encode(b, &raw, &length) == BUNDLE_ERROR_NONE && raw && length >= 0);
    std::string text(reinterpret_cast<char*>(raw), static_cast<size_t>(length));
    bundle_free_encoded_rawdata(&raw);
    return text;
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

struct Copy {
    bundle* from;
    app_control_h to;
};

void copyCb(const char* key, const int type, const void*, void* data) {
    auto* copy = static_cast<Copy*>(data);
    if (type == BUNDLE_TYPE_STR_ARRAY) {
        int length = 0;
        const char** items = bundle_get_str_array(copy->from, key, &length);
        // A key or an item the request refuses is simply not copied.
        app_control_add_extra_data_array(copy->to, key, items, length);
    } else {
        char* value = nullptr;
        if (bundle_get_str(copy->from, key, &value) == BUNDLE_ERROR_NONE && value)
            app_control_add_extra_data(copy->to, key, value);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every refused input logs; writing them all would slow fuzzing to a crawl.
    dlog_set_min_priority(DLOG_SILENT);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16)
        return 0;
    bundle* decoded = bundle_decode(data, static_cast<int>(size));
    if (!decoded)
        return 0;
    const std::string text = encoded(decoded);
    bundle* again =
        bundle_decode(reinterpret_cast<const bundle_raw*>(text.data()), static_cast<int>(text.size()));
    check(again && bundle_get_count(again) == bundle_get_count(decoded));
    check(encoded(again) == text);

    app_control_h handle = nullptr;
    check(app_control_create(&handle) == APP_CONTROL_ERROR_NONE);
    Copy copy{decoded, handle};
    bundle_foreach(decoded, copyCb, &copy);
    check(app_control_foreach_extra_data(handle, readExtra, nullptr) == APP_CONTROL_ERROR_NONE);
    app_control_destroy(handle);
    bundle_free(again);
    bundle_free(decoded);
    return 0;
}
