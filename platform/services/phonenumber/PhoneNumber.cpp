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
#include <thread>

namespace {

std::atomic<int> g_connections{0};

struct Module {
    MsgPhoneNumberModulePrepare prepare = nullptr;
    MsgPhoneNumberModuleFormat format = nullptr;
};

// Loaded once, by whichever thread asks first; never unloaded.
const Module& module() {
    static Module loaded;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen(MSG_PHONE_NUMBER_MODULE, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            PLAT_LOGE("cannot load the formatting: %s", dlerror());
            return;
        }
        auto prepare =
            reinterpret_cast<MsgPhoneNumberModulePrepare>(dlsym(handle, "msg_phone_number_module_prepare"));
        auto format =
            reinterpret_cast<MsgPhoneNumberModuleFormat>(dlsym(handle, "msg_phone_number_module_format"));
        if (!prepare || !format) {
            PLAT_LOGE("the formatting module lacks its functions");
            return;
        }
        loaded.prepare = prepare;
        loaded.format = format;
    });
    return loaded;
}

// The utility reads its metadata and builds its patterns on first use, which takes longer than
// drawing a screen; the first connection has that done on a thread of its own, so that a number
// formatted for the first frame finds it ready. Joined at exit, before the library's own statics go.
class Preparation {
public:
    ~Preparation() { join(); }
    void start() {
        std::call_once(_once, [this] {
            _thread = std::thread([] {
                if (MsgPhoneNumberModulePrepare prepare = module().prepare)
                    prepare();
            });
        });
    }
    void join() {
        std::lock_guard<std::mutex> lock(_joining);
        if (_thread.joinable())
            _thread.join();
    }

private:
    std::once_flag _once;
    std::mutex _joining;
    std::thread _thread;
};

Preparation& preparation() {
    static Preparation instance;
    return instance;
}

} // namespace

extern "C" {

int phone_number_connect(void) {
    if (++g_connections == 1)
        preparation().start();
    return PHONE_NUMBER_ERROR_NONE;
}

int phone_number_disconnect(void) {
    int count = g_connections.load();
    do {
        PLAT_RETV_IF(count <= 0, PHONE_NUMBER_ERROR_INVALID_PARAMETER,
                     "phone-number utility is not connected");
    } while (!g_connections.compare_exchange_weak(count, count - 1));
    if (count == 1)
        preparation().join();
    return PHONE_NUMBER_ERROR_NONE;
}

int phone_number_get_formatted_number(const char* number, phone_number_region_e region,
                                      char** formatted_number) {
    PLAT_RETV_IF(!number || !*number || !formatted_number, PHONE_NUMBER_ERROR_INVALID_PARAMETER,
                 "number or formatted_number is null or empty");
    const char* code = phone_number_impl::regionCode(region);
    PLAT_RETV_IF(!code, PHONE_NUMBER_ERROR_INVALID_PARAMETER, "unknown region %d", static_cast<int>(region));

    MsgPhoneNumberModuleFormat format = module().format;
    PLAT_RETV_IF(!format, PHONE_NUMBER_ERROR_NOT_SUPPORTED, "no formatting");
    // The library keeps where the number came from only when asked; the leading "+" decides the form.
    const char* first = number;
    while (*first == ' ')
        ++first;
    bool international =
        *first == '+' || std::strncmp(first, "\xEF\xBC\x8B", 3) == 0; // "+" or full-width "+"
    char* formatted = nullptr;
    int parseError = 0;
    int err = format(number, code, international, &formatted, &parseError);
    if (err == PHONE_NUMBER_ERROR_NO_DATA && parseError)
        PLAT_LOGW("cannot parse a number in %s (%d)", code, parseError);
    else if (err != PHONE_NUMBER_ERROR_NONE)
        PLAT_LOGW("cannot format a number in %s (%d)", code, err);
    if (err == PHONE_NUMBER_ERROR_NONE)
        *formatted_number = formatted;
    return err;
}

} // extern "C"
