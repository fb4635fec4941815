// The phone-number utility on libphonenumber.
#include "phone_number.h"

#include "PhoneNumberModule.h"
#include "PhoneNumberRegions.h"

#include "log/PlatformLog.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

std::atomic<int> g_connections{0};
// Set once formatting loads nothing more: a first parse has read the library's data, or there is
// no library to load.
std::atomic<bool> g_prepared{false};

// Loaded by whichever thread asks first, and never unloaded; null when it cannot be loaded.
MsgPhoneNumberModuleFormat moduleFormat() {
    static const MsgPhoneNumberModuleFormat format = []() -> MsgPhoneNumberModuleFormat {
        void* handle = dlopen(MSG_PHONE_NUMBER_MODULE, RTLD_LAZY | RTLD_LOCAL);
        if (!handle) {
            PLAT_LOGE("cannot load the formatting: %s", dlerror());
            return nullptr;
        }
        auto found =
            reinterpret_cast<MsgPhoneNumberModuleFormat>(dlsym(handle, "msg_phone_number_module_format"));
        if (!found)
            PLAT_LOGE("the formatting module has no msg_phone_number_module_format");
        return found;
    }();
    return format;
}

// The loading worker is waited for at exit: the process must not tear down the library under it.
struct Preparer {
    std::thread worker;
    ~Preparer() {
        if (worker.joinable())
            worker.join();
    }
};

void loadAndParseOnce() {
    // The library reads its data on its first parse. Without the library nothing more loads either.
    if (MsgPhoneNumberModuleFormat format = moduleFormat()) {
        char* formatted = nullptr;
        int parseError = 0;
        format("0", "US", false, &formatted, &parseError);
        std::free(formatted);
    }
    g_prepared = true;
}

} // namespace

extern "C" {

void phone_number_prepare(void) {
    static std::once_flag once;
    std::call_once(once, [] {
        static Preparer preparer;
        try {
            preparer.worker = std::thread(loadAndParseOnce);
        } catch (const std::system_error& e) {
            PLAT_LOGW("no worker to load the formatting on (%s): it loads on first use", e.what());
        }
    });
}

int phone_number_is_prepared(void) {
    return g_prepared ? 1 : 0;
}

int phone_number_connect(void) {
    ++g_connections;
    return PHONE_NUMBER_ERROR_NONE;
}

int phone_number_disconnect(void) {
    int count = g_connections.load();
    do {
        PLAT_RETV_IF(count <= 0, PHONE_NUMBER_ERROR_INVALID_PARAMETER,
                     "phone-number utility is not connected");
    } while (!g_connections.compare_exchange_weak(count, count - 1));
    return PHONE_NUMBER_ERROR_NONE;
}

int phone_number_get_formatted_number(const char* number, phone_number_region_e region,
                                      char** formatted_number) {
    PLAT_RETV_IF(!number || !*number || !formatted_number, PHONE_NUMBER_ERROR_INVALID_PARAMETER,
                 "number or formatted_number is null or empty");
    const char* code = phone_number_impl::regionCode(region);
    PLAT_RETV_IF(!code, PHONE_NUMBER_ERROR_INVALID_PARAMETER, "unknown region %d", static_cast<int>(region));

    MsgPhoneNumberModuleFormat format = moduleFormat();
    if (!format) {
        g_prepared = true;
        PLAT_LOGE("no formatting");
        return PHONE_NUMBER_ERROR_NOT_SUPPORTED;
    }
    // The library keeps where the number came from only when asked; the leading "+" decides the form.
    const char* first = number;
    while (*first == ' ')
        ++first;
    bool international =
        *first == '+' || std::strncmp(first, "\xEF\xBC\x8B", 3) == 0; // "+" or full-width "+"
    char* formatted = nullptr;
    int parseError = 0;
    int err = format(number, code, international, &formatted, &parseError);
    g_prepared = true;
    if (err == PHONE_NUMBER_ERROR_NO_DATA && parseError)
        PLAT_LOGW("cannot parse a number in %s (%d)", code, parseError);
    else if (err != PHONE_NUMBER_ERROR_NONE)
        PLAT_LOGW("cannot format a number in %s (%d)", code, err);
    if (err == PHONE_NUMBER_ERROR_NONE)
        *formatted_number = formatted;
    return err;
}

} // extern "C"
