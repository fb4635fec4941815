#include "common/ui/MCommonI18n.h"

#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "common/ui/ZoneId.h"
#include "preference.h"
#include "vconf.h"

#include <unicode/uversion.h>

#include <cstdlib>
#include <vector>

namespace msg_app {

namespace {

constexpr const char* VCONFKEY_TIME1224 = "db/menu_widget/regionformat_time1224";
constexpr const char* VCONFKEY_DATE_FORMAT = "db/setting/date_format";
constexpr const char* VCONFKEY_TIME_CHANGED = "memory/system/timechanged";
constexpr const char* VCONFKEY_TIMEZONE_ID = "db/setting/timezone_id";
constexpr const char* LOCALTIME_LINK = "/opt/etc/localtime";
constexpr int TIME_FORMAT_24 = 2;
constexpr int SKELETON_MAX = 64;
constexpr int PATTERN_MAX = 64;
constexpr int FORMAT_BUF_MAX = 128;
constexpr int NUMBER_BUF_MAX = 32;
// Worst case of UTF-16 to UTF-8: three bytes per unit.
constexpr int UTF8_PER_UNIT = 3;
// A date isolated as a left-to-right run inside right-to-left text.
constexpr const char* LTR_ISOLATE = "&#x2066;";
constexpr const char* POP_ISOLATE = "&#x2069;";

struct DateOrder {
    const char* date;
    const char* dateLongSkeleton;
    const char* dateThisYear;
    const char* dateLongThisYearSkeleton;
};

const DateOrder& dateOrder() {
    static const DateOrder dayMonthYear{"dd/MM/y", "d MMM, y", "dd/MM", "EEE d MMM"};
    static const DateOrder monthDayYear{"MM/dd/y", "MMM d, y", "MM/dd", "EEE MMM d"};
    static const DateOrder yearDayMonth{"y/dd/MM", "y, d MMM", "dd/MM", "EEE d MMM"};
    static const DateOrder yearMonthDay{"y/MM/dd", "y, MMM d", "MM/dd", "EEE MMM d"};
    int order = -1;
    if (vconf_get_int(VCONFKEY_DATE_FORMAT, &order) != VCONF_OK)
        MSG_LOGE("vconf_get_int(%s) failed", VCONFKEY_DATE_FORMAT);
    switch (order) {
    case 0:
        return dayMonthYear;
    case 1:
        return monthDayYear;
    case 3:
        return yearDayMonth;
    default:
        return yearMonthDay;
    }
}

// Where the best pattern of a skeleton is kept between runs: the generator reads all of the locale's
// patterns, three quarters of what the list's first times cost, and its answer changes only with
// the locale and the library's data.
std::string keptPatternKey(const std::string& locale, const char* skeleton) {
    return std::string("date_pattern.") + U_ICU_VERSION + "." + locale + "." + skeleton;
}

bool readKeptPattern(const std::string& key, std::string& out) {
    char* kept = nullptr;
    if (preference_get_string(key.c_str(), &kept) != PREFERENCE_ERROR_NONE || !kept)
        return false;
    out = kept;
    std::free(kept);
    // The preferences keep only UTF-8 text; a value of another kind is asked of the locale again.
    return !out.empty() && out.size() <= PATTERN_MAX;
}

std::string toUtf8(const i18n_uchar* src, int32_t len) {
    std::string out(static_cast<size_t>(len) * UTF8_PER_UNIT + 1, '\0');
    int32_t written = 0;
    if (i18n_ustring_to_UTF8(&out[0], static_cast<int32_t>(out.size()), &written, src, len) !=
        I18N_ERROR_NONE)
        return std::string();
    out.resize(static_cast<size_t>(written));
    return out;
}

bool localTime(time_t t, struct tm& out) {
    return localtime_r(&t, &out) != nullptr;
}

bool isThisYear(time_t t) {
    struct tm then {
    }, now{};
    time_t current = std::time(nullptr);
    return t == 0 || (localTime(t, then) && localTime(current, now) && then.tm_year == now.tm_year);
}

void registerKey(const char* key, vconf_callback_fn cb, void* data) {
    if (vconf_notify_key_changed(key, cb, data) != VCONF_OK)
        MSG_LOGE("Fail to register vconf with [%s]", key);
}

void unregisterKey(const char* key, vconf_callback_fn cb) {
    if (vconf_ignore_key_changed(key, cb) != VCONF_OK)
        MSG_LOGE("Fail to remove vconf with [%s]", key);
}

void announceChange() {
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_TIME_FORMAT_CHANGED);
}

} // namespace

MCommonI18n* MCommonI18n::_instance = nullptr;

MCommonI18n* MCommonI18n::getInstance() {
    if (!_instance) {
        _instance = new MCommonI18n();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCommonI18n::release() {
    _destroy();
}

void MCommonI18n::_destroy() {
    delete _instance;
    _instance = nullptr;
}

MCommonI18n::MCommonI18n() {
    _setLocale();
    MCommonAppEventMgr::getInstance()->addListener(this);
    registerKey(VCONFKEY_TIME1224, _timeFormatChangedCb, this);
    registerKey(VCONFKEY_DATE_FORMAT, _dateFormatChangedCb, this);
    registerKey(VCONFKEY_TIME_CHANGED, _timeChangedCb, this);
}

MCommonI18n::~MCommonI18n() {
    MCommonAppEventMgr::getInstance()->removeListener(this);
    _unsubscribe();
    _clearFormatters();
}

void MCommonI18n::_unsubscribe() {
    unregisterKey(VCONFKEY_TIME1224, _timeFormatChangedCb);
    unregisterKey(VCONFKEY_DATE_FORMAT, _dateFormatChangedCb);
    unregisterKey(VCONFKEY_TIME_CHANGED, _timeChangedCb);
}

void MCommonI18n::_clearFormatters() {
    for (auto& entry : _formatters)
        i18n_udate_destroy(entry.second);
    _formatters.clear();
}

void MCommonI18n::getFormattedDateTimeText(Formatter f, time_t t, std::string& out, bool omitThisYear) {
    if (f != TIME && omitThisYear && isThisYear(t)) {
        if (f == DATE)
            f = DATE_THIS_YEAR;
        else if (f == DATE_LONG)
            f = DATE_LONG_THIS_YEAR;
    }
    _getFormattedDateText(f, t, out);
}

void MCommonI18n::getFormattedSimpleDateTimeText(time_t t, std::string& out) {
    // A stamp of 0 is now, as for every other text of this class.
    time_t current = std::time(nullptr);
    if (t == 0)
        t = current;
    struct tm then {
    }, now{};
    if (!localTime(t, then) || !localTime(current, now)) {
        MSG_LOGE("time (%lld) cannot be broken down", static_cast<long long>(t));
        return;
    }
    if (then.tm_year == now.tm_year && then.tm_yday == now.tm_yday) {
        _getFormattedDateText(TIME, t, out);
        return;
    }
    _getFormattedDateText(then.tm_year == now.tm_year ? DATE_THIS_YEAR : DATE, t, out);
    if (!out.empty() && _isRtl)
        _addRtlMarks(out);
}

void MCommonI18n::_addRtlMarks(std::string& out) const {
    if (out.find('/') == std::string::npos) {
        MSG_LOGE("date_str(%s) is invalid", out.c_str());
        return;
    }
    // A mark before each slash made the slashes run right to left, which turned the date's
    // numbers around ("02/12" for "12/02"); isolated, the date keeps its own order.
    out = std::string(LTR_ISOLATE) + out + POP_ISOLATE;
}

void MCommonI18n::getFormattedNumberText(int n, std::string& out) {
    // These locales use Western digits, which need no ICU formatter.
    if (_locale.compare(0, 2, "en") == 0 || _locale.compare(0, 2, "ko") == 0) {
        out = std::to_string(n);
        return;
    }
    i18n_unumber_format_h fmt = nullptr;
    int ret = i18n_unumber_create(I18N_UNUMBER_DECIMAL, nullptr, -1, _locale.c_str(), nullptr, &fmt);
    MSG_RET_IF(ret != I18N_ERROR_NONE || !fmt, "i18n_unumber_create return err(%x)", ret);
    i18n_uchar buf[NUMBER_BUF_MAX] = {0};
    int32_t len = 0;
    ret = i18n_unumber_format(fmt, n, buf, NUMBER_BUF_MAX, nullptr, &len);
    if (ret == I18N_ERROR_NONE)
        out = toUtf8(buf, i18n_ustring_get_length(buf));
    else
        MSG_LOGE("i18n_unumber_format return err(%x)", ret);
    i18n_unumber_destroy(fmt);
}

void MCommonI18n::_getFormattedDateText(Formatter f, time_t t, std::string& out) {
    i18n_udate_format_h formatter = _getUdateFormatter(f);
    if (!formatter)
        return;
    i18n_udate date = static_cast<i18n_udate>(t) * 1000.0;
    if (t == 0)
        i18n_ucalendar_get_now(&date);
    i18n_uchar buf[FORMAT_BUF_MAX] = {0};
    int32_t needed = 0;
    int ret = i18n_udate_format_date(formatter, date, buf, FORMAT_BUF_MAX - 1, nullptr, &needed);
    if (ret != I18N_ERROR_NONE)
        MSG_LOGE("i18n_udate_format_date return err(%x)", ret);
    out = toUtf8(buf, i18n_ustring_get_length(buf));
}

i18n_udate_format_h MCommonI18n::_getUdateFormatter(Formatter f) {
    auto it = _formatters.find(f);
    if (it != _formatters.end())
        return it->second;
    if (f == TIME)
        _setTimeFormatter();
    else
        _setDateFormatter(f);
    it = _formatters.find(f);
    MSG_RETV_IF(it == _formatters.end(), nullptr, "Failed to create uFomatter");
    return it->second;
}

void MCommonI18n::_setTimeFormatter() {
    int timeFormat = 0;
    if (vconf_get_int(VCONFKEY_TIME1224, &timeFormat) != VCONF_OK)
        MSG_LOGE("vconf_get_int(%s) failed", VCONFKEY_TIME1224);
    std::string pattern;
    if (_getBestPattern(timeFormat == TIME_FORMAT_24 ? "Hm" : "hma", pattern))
        _addUdateFormatter(TIME, pattern);
}

void MCommonI18n::_setDateFormatter(Formatter f) {
    const DateOrder& order = dateOrder();
    _addUdateFormatter(DATE, order.date);
    _addUdateFormatter(DATE_THIS_YEAR, order.dateThisYear);
    if (f != DATE_LONG && f != DATE_LONG_THIS_YEAR)
        return;
    const std::pair<Formatter, const char*> longKinds[] = {
        {DATE_LONG, order.dateLongSkeleton},
        {DATE_LONG_THIS_YEAR, order.dateLongThisYearSkeleton},
    };
    for (const auto& kind : longKinds) {
        std::string pattern;
        if (!_getBestPattern(kind.second, pattern) || pattern.empty())
            pattern = kind.second;
        _addUdateFormatter(kind.first, pattern);
    }
}

bool MCommonI18n::_getBestPattern(const char* skeleton, std::string& out) {
    MSG_RETV_IF(!skeleton, false, "skeleton is nullptr");
    const std::string key = keptPatternKey(_locale, skeleton);
    if (readKeptPattern(key, out))
        return true;
    i18n_udatepg_h generator = nullptr;
    int ret = i18n_udatepg_create(_locale.c_str(), &generator);
    MSG_RETV_IF(ret != I18N_ERROR_NONE || !generator, false, "i18n_udatepg_create return err(%x)", ret);
    i18n_uchar uSkeleton[SKELETON_MAX + 1] = {0};
    i18n_ustring_copy_ua_n(uSkeleton, skeleton, SKELETON_MAX);
    i18n_uchar best[PATTERN_MAX + 1] = {0};
    int32_t bestLen = 0;
    ret = i18n_udatepg_get_best_pattern(generator, uSkeleton, i18n_ustring_get_length(uSkeleton), best,
                                        PATTERN_MAX, &bestLen);
    i18n_udatepg_destroy(generator);
    MSG_RETV_IF(ret != I18N_ERROR_NONE, false, "i18n_udatepg_get_best_pattern return err(%x)", ret);
    out = toUtf8(best, i18n_ustring_get_length(best));
    if (!out.empty() && preference_set_string(key.c_str(), out.c_str()) != PREFERENCE_ERROR_NONE)
        MSG_LOGW("the pattern of %s is not kept for the next run", skeleton);
    return true;
}

void MCommonI18n::_addUdateFormatter(Formatter f, const std::string& pattern) {
    MSG_RET_IF(pattern.empty(), "pattern of Formatter(%d) is empty", static_cast<int>(f));
    auto old = _formatters.find(f);
    if (old != _formatters.end()) {
        i18n_udate_destroy(old->second);
        _formatters.erase(old);
    }
    // Every UTF-8 byte is at most one UTF-16 unit.
    std::vector<i18n_uchar> uPattern(pattern.size() + 1, 0);
    int32_t uLen = 0;
    int ret = i18n_ustring_from_UTF8(uPattern.data(), static_cast<int32_t>(uPattern.size()), &uLen,
                                     pattern.c_str(), static_cast<int32_t>(pattern.size()));
    MSG_RET_IF(ret != I18N_ERROR_NONE, "pattern (%s) is not UTF-8", pattern.c_str());
    i18n_udate_format_h formatter = nullptr;
    ret = i18n_udate_create(I18N_UDATE_PATTERN, I18N_UDATE_PATTERN, _locale.c_str(), nullptr, -1,
                            uPattern.data(), uLen, &formatter);
    MSG_RET_IF(ret != I18N_ERROR_NONE, "i18n_udate_create return err(%x)", ret);
    MSG_RET_IF(!formatter, "uformater is null.");
    _formatters[f] = formatter;
}

void MCommonI18n::_setLocale() {
    int ret = i18n_ulocale_set_default(std::getenv("LC_TIME"));
    if (ret != I18N_ERROR_NONE)
        MSG_LOGE("i18n_ulocale_set_default() return err(%d)", ret);
    const char* locale = nullptr;
    ret = i18n_ulocale_get_default(&locale);
    if (ret != I18N_ERROR_NONE || !locale) {
        MSG_LOGE("i18n_ulocale_get_default() return err(%d)", ret);
    } else {
        _locale = locale;
        size_t dot = _locale.find('.');
        if (dot != std::string::npos)
            _locale.erase(dot);
    }
    _isRtl = common_util::is_rtl_supported(common_util::LANGUAGE);
}

void MCommonI18n::_setDefaultTimezone() {
    std::string zone;
    if (!zone_id::from_link(LOCALTIME_LINK, zone)) {
        MSG_LOGW("Getting default timezone failed, use vconf value");
        char* value = vconf_get_str(VCONFKEY_TIMEZONE_ID);
        zone = value ? value : "";
        std::free(value);
    }
    MSG_RET_IF(zone.empty(), "failed to get timezone.");
    std::vector<i18n_uchar> uZone(zone.size() + 1, 0);
    i18n_ustring_copy_ua_n(uZone.data(), zone.c_str(), static_cast<int32_t>(zone.size()));
    int ret = i18n_ucalendar_set_default_timezone(uZone.data());
    if (ret != I18N_ERROR_NONE) {
        MSG_LOGE("default timezone set error(%d)", ret);
        return;
    }
    // The today and this-year decisions break times down with the C library: it must count days
    // in the zone the formatters write.
    setenv("TZ", zone.c_str(), 1);
    tzset();
}

void MCommonI18n::appEventListener(MCommonAppEventType type) {
    MSG_LOGD("App Event : %d", static_cast<int>(type));
    if (type == APP_EVENT_LANGUAGE_CHANGED) {
        // Dates carry direction marks only in a right-to-left language.
        bool wasRtl = _isRtl;
        _isRtl = common_util::is_rtl_supported(common_util::LANGUAGE);
        if (_isRtl != wasRtl)
            announceChange();
        return;
    }
    if (type != APP_EVENT_REGION_FORMAT_CHANGED)
        return;
    MSG_LOGI("REGION_FORMAT_CHANGED event");
    _setLocale();
    _setTimeFormatter();
    _setDateFormatter(DATE_LONG);
    announceChange();
}

void MCommonI18n::_timeFormatChangedCb(keynode_t*, void* data) {
    MSG_RET_IF(!data, "data is nullptr");
    static_cast<MCommonI18n*>(data)->_setTimeFormatter();
    announceChange();
}

void MCommonI18n::_dateFormatChangedCb(keynode_t*, void* data) {
    MSG_RET_IF(!data, "date is nullptr");
    static_cast<MCommonI18n*>(data)->_setDateFormatter(DATE_LONG);
    announceChange();
}

void MCommonI18n::_timeChangedCb(keynode_t*, void* data) {
    MSG_RET_IF(!data, "data is nullptr");
    auto* self = static_cast<MCommonI18n*>(data);
    self->_setDefaultTimezone();
    // Every formatter took the zone it was made in; each is made again in the new one on use.
    self->_clearFormatters();
    announceChange();
}

} // namespace msg_app
