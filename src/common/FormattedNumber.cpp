#include "common/FormattedNumber.h"

#include "app_common.h"
#include "common/MCommonFormattedNumberCache.h"
#include "common/MsgLog.h"
#include "phone_number.h"
#include "vconf.h"
#include "zeq_feature.h"

#include <Ecore.h>
#include <glib.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace msg_app {
namespace formatted_number {

namespace {

constexpr const char* VCONFKEY_REGIONFORMAT = "db/menu_widget/regionformat";
constexpr const char* kDefaultCountry = "KR";
// The carrier switch that shows phone numbers unformatted.
constexpr int kZeqNumberFormatDisabled = 57;
constexpr size_t kCleanNumberMax = 512;
constexpr int kNoRegion = -1;
constexpr const char* kCacheFile = "formatted-numbers";

struct CountryRegion {
    const char* code;
    int region;
};

// Country codes in the order they are searched, with the utility's region of each.
constexpr CountryRegion kCountryRegions[] = {
    {"AX", 0},   {"AL", 1},   {"DZ", 2},   {"AS", 3},   {"AO", 4},   {"AI", 5},   {"AR", 6},   {"AM", 7},
    {"AC", 8},   {"AG", 9},   {"AT", 10},  {"BS", 11},  {"BB", 12},  {"BY", 13},  {"BE", 14},  {"BJ", 15},
    {"BM", 16},  {"BQ", 17},  {"BW", 18},  {"BR", 19},  {"BG", 20},  {"BF", 21},  {"BI", 22},  {"CV", 23},
    {"CM", 24},  {"CA", 25},  {"KY", 26},  {"CL", 27},  {"CN", 28},  {"CO", 29},  {"KM", 30},  {"CG", 31},
    {"CI", 32},  {"CU", 33},  {"CW", 34},  {"CZ", 35},  {"CD", 36},  {"DM", 37},  {"EG", 39},  {"EE", 40},
    {"ET", 41},  {"FI", 42},  {"FR", 43},  {"GA", 44},  {"GM", 45},  {"DE", 46},  {"GH", 47},  {"GR", 48},
    {"GL", 49},  {"GD", 50},  {"GU", 51},  {"GG", 52},  {"GN", 53},  {"GW", 54},  {"HU", 55},  {"IS", 56},
    {"IN", 57},  {"ID", 58},  {"IE", 59},  {"IR", 60},  {"IM", 61},  {"IT", 62},  {"JM", 63},  {"JP", 64},
    {"JE", 65},  {"JO", 66},  {"KZ", 67},  {"KE", 68},  {"KI", 69},  {"LV", 70},  {"LS", 71},  {"LT", 72},
    {"LU", 73},  {"MG", 74},  {"MR", 75},  {"MU", 76},  {"DO", 38},  {"MS", 77},  {"MA", 78},  {"MZ", 79},
    {"NA", 80},  {"NL", 81},  {"NG", 82},  {"MP", 83},  {"NO", 84},  {"PE", 85},  {"PL", 86},  {"PT", 87},
    {"PR", 88},  {"KR", 89},  {"MD", 90},  {"RO", 91},  {"RU", 92},  {"SH", 93},  {"KN", 94},  {"LC", 95},
    {"VC", 96},  {"ST", 97},  {"SA", 98},  {"SN", 99},  {"RS", 100}, {"SL", 101}, {"SX", 102}, {"SK", 103},
    {"SO", 104}, {"ZA", 105}, {"ES", 106}, {"LK", 107}, {"SD", 108}, {"SJ", 109}, {"SZ", 110}, {"SE", 111},
    {"CH", 112}, {"TW", 113}, {"TH", 114}, {"MK", 115}, {"TG", 116}, {"TT", 117}, {"TA", 118}, {"TN", 119},
    {"TR", 120}, {"TC", 121}, {"UG", 122}, {"GB", 123}, {"US", 124}, {"VE", 125}, {"VN", 126}, {"VG", 127},
    {"VI", 128}, {"EH", 129}, {"ZM", 130}, {"ZW", 131},
};
static_assert(sizeof(kCountryRegions) / sizeof(kCountryRegions[0]) == 132, "one row per supported country");

std::mutex g_mutex;
bool g_connected = false; // phone_number_connect() succeeded in init()
char* g_countryISO = nullptr;
int g_region = kNoRegion;
MCommonFormattedNumberCache g_cache;

// While set, a number that needs the formatting loaded first is given as it stands.
std::atomic<bool> g_deferring{false};
// A number was given as it stands while deferring.
std::atomic<bool> g_deferred{false};
// How often, and at most how long, load_deferred() looks whether the worker has loaded the
// formatting; past the limit (no worker could start) the screens format as they ask again.
constexpr double kLoadPollSeconds = 0.02;
constexpr double kLoadWaitSeconds = 10.0;
// Main loop only.
Ecore_Timer* g_loadWatch = nullptr;
double g_loadWaitEnd = 0;
std::function<void()> g_onLoaded;

Eina_Bool loadWatchCb(void* /*data*/) {
    if (!phone_number_is_prepared() && ecore_time_get() < g_loadWaitEnd)
        return ECORE_CALLBACK_RENEW;
    g_loadWatch = nullptr;
    g_deferring = false;
    std::function<void()> loaded;
    loaded.swap(g_onLoaded);
    MSG_LOGI("numbers shown as they stand are formatted again");
    if (loaded)
        loaded();
    return ECORE_CALLBACK_CANCEL;
}

void stopLoadWatch() {
    if (g_loadWatch)
        ecore_timer_del(g_loadWatch);
    g_loadWatch = nullptr;
    g_onLoaded = nullptr;
    g_deferring = false;
    g_deferred = false;
}

// The country of a locale such as "en_US.UTF-8": its 4th and 5th characters, when it has them.
char* readCountry() {
    char* locale = vconf_get_str(VCONFKEY_REGIONFORMAT);
    if (!locale)
        return g_strdup(kDefaultCountry);
    char* country = std::strlen(locale) >= 5 ? g_strndup(locale + 3, 2) : g_strdup("");
    std::free(locale);
    return country;
}

int findRegion(const char* country) {
    for (const CountryRegion& row : kCountryRegions) {
        if (std::strncmp(country, row.code, std::strlen(row.code)) == 0)
            return row.region;
    }
    MSG_LOGW("_get_phone_number_region fail(%s)", country);
    return kNoRegion;
}

void loadCacheLocked() {
    char* dir = app_get_data_path();
    // Without the application's data folder the numbers are kept for this run only: a bare file
    // name would be written wherever the process happened to start.
    g_cache.load(dir ? std::string(dir) + kCacheFile : std::string());
    std::free(dir);
}

void updateRegionLocked() {
    g_free(g_countryISO);
    g_countryISO = readCountry();
    g_region = findRegion(g_countryISO);
}

// Dial characters of the number: full-width forms become ASCII, letters are upper-cased and then
// dropped with everything else that cannot be dialled.
std::string cleanNumber(const char* number) {
    std::string cleaned;
    const char* p = number;
    while (*p && cleaned.size() < kCleanNumberMax) {
        unsigned char c = static_cast<unsigned char>(*p);
        char ascii = '\0';
        if (c < 0x80) {
            ascii = static_cast<char>(g_ascii_toupper(static_cast<char>(c)));
            ++p;
        } else {
            gunichar uc = g_utf8_get_char_validated(p, -1);
            if (uc == static_cast<gunichar>(-1) || uc == static_cast<gunichar>(-2)) {
                MSG_LOGD("return 0 (0x%x)", c);
                ++p;
                continue;
            }
            if (uc >= 0xFF10 && uc <= 0xFF19)
                ascii = static_cast<char>('0' + (uc - 0xFF10));
            else if (uc == 0xFF0B)
                ascii = '+';
            else if (uc == 0xFF0A)
                ascii = '*';
            else if (uc == 0xFF03)
                ascii = '#';
            else if (uc == 0xFF0C)
                ascii = ',';
            else if (uc == 0xFF1B)
                ascii = ';';
            else if (uc >= 0xFF21 && uc <= 0xFF3A)
                ascii = static_cast<char>('A' + (uc - 0xFF21));
            else if (uc >= 0xFF41 && uc <= 0xFF5A)
                ascii = static_cast<char>('A' + (uc - 0xFF41));
            p = g_utf8_next_char(p);
        }
        if (ascii && std::strchr("0123456789*+,#;", ascii))
            cleaned += ascii;
    }
    return cleaned;
}

} // namespace

void init() {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (g_countryISO) {
            MSG_LOGD("g_countryISO is not nullptr");
            return;
        }
        updateRegionLocked();
        g_connected = phone_number_connect() == PHONE_NUMBER_ERROR_NONE;
    }
}

void deinit() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_countryISO)
        return;
    g_free(g_countryISO);
    g_countryISO = nullptr;
    g_region = kNoRegion;
    g_cache.save();
    g_cache.clear();
    stopLoadWatch();
    // A region read by get() alone holds a country code without a connection.
    if (g_connected)
        phone_number_disconnect();
    g_connected = false;
}

void update_region() {
    std::lock_guard<std::mutex> lock(g_mutex);
    updateRegionLocked();
}

void get(const char* number, std::string& out) {
    MSG_RET_IF(!number, "number is nullptr");
    if (zeq_feature_get_bool(kZeqNumberFormatDisabled)) {
        MSG_LOGD("Number format is not support.");
        out = number;
        return;
    }

    std::string cleaned = cleanNumber(number);
    int region;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_countryISO)
            updateRegionLocked();
        region = g_region;
        if (!g_cache.isLoaded())
            loadCacheLocked();
        if (g_cache.find(region, cleaned, out))
            return;
    }

    if (g_deferring && !phone_number_is_prepared()) {
        g_deferred = true;
        out = number;
        return;
    }
    char* formatted = nullptr;
    int ret = phone_number_get_formatted_number(cleaned.c_str(), static_cast<phone_number_region_e>(region),
                                                &formatted);
    if (ret != PHONE_NUMBER_ERROR_NONE || !formatted || !*formatted) {
        MSG_LOGD("phone_number_get_formatted_number fail(%d)", ret);
        std::free(formatted);
        out = number;
        return;
    }
    out = formatted;
    std::free(formatted);
    std::lock_guard<std::mutex> lock(g_mutex);
    g_cache.add(region, cleaned, out);
}

void prepare() {
    if (!zeq_feature_get_bool(kZeqNumberFormatDisabled))
        phone_number_prepare();
}

void defer_loading() {
    g_deferred = false;
    g_deferring = true;
}

void load_deferred(std::function<void()> loaded) {
    if (!g_deferring || g_loadWatch)
        return;
    if (!g_deferred) {
        g_deferring = false;
        return;
    }
    MSG_LOGI("numbers were shown as they stand: the formatting loads on a worker");
    phone_number_prepare();
    g_onLoaded = std::move(loaded);
    g_loadWaitEnd = ecore_time_get() + kLoadWaitSeconds;
    g_loadWatch = ecore_timer_add(kLoadPollSeconds, loadWatchCb, nullptr);
}

} // namespace formatted_number
} // namespace msg_app
