// The phone-number utility on libphonenumber.
#include "phone_number.h"

#include "PhoneNumberRegions.h"

#include "log/PlatformLog.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <phonenumbers/phonenumberutil.h>
#include <string>
#include <thread>

namespace {

std::atomic<int> g_connections{0};

// The utility reads its metadata and builds its patterns on first use, which takes longer than
// drawing a screen; the first connection has that done on a thread of its own, so that a number
// formatted for the first frame finds it ready. Joined at exit, before the library's own statics go.
class Preparation {
public:
    ~Preparation() { join(); }
    void start() {
        std::call_once(_once, [this] {
            _thread = std::thread([] { i18n::phonenumbers::PhoneNumberUtil::GetInstance(); });
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

    using i18n::phonenumbers::PhoneNumber;
    using i18n::phonenumbers::PhoneNumberUtil;
    // The library's singleton is thread-safe and lives for the process.
    const PhoneNumberUtil* util = PhoneNumberUtil::GetInstance();
    PhoneNumber parsed;
    PhoneNumberUtil::ErrorType err = util->Parse(number, code, &parsed);
    if (err != PhoneNumberUtil::NO_PARSING_ERROR) {
        PLAT_LOGW("cannot parse a number in %s (%d)", code, static_cast<int>(err));
        return PHONE_NUMBER_ERROR_NO_DATA;
    }
    // Parse() keeps where the number came from only when asked; the leading "+" decides the form.
    const char* first = number;
    while (*first == ' ')
        ++first;
    bool international =
        *first == '+' || std::strncmp(first, "\xEF\xBC\x8B", 3) == 0; // "+" or full-width "+"
    std::string out;
    util->Format(parsed, international ? PhoneNumberUtil::INTERNATIONAL : PhoneNumberUtil::NATIONAL, &out);
    PLAT_RETV_IF(out.empty(), PHONE_NUMBER_ERROR_NO_DATA, "formatting gave nothing");
    char* copy = strdup(out.c_str());
    PLAT_RETV_IF(!copy, PHONE_NUMBER_ERROR_OUT_OF_MEMORY, "strdup failed");
    *formatted_number = copy;
    return PHONE_NUMBER_ERROR_NONE;
}

} // extern "C"
