#include "viewer/MVItem/MVItemDateLine.h"

#include "common/CommonUiHelper.h"
#include "common/ui/MCommonI18n.h"

namespace msg_app {
namespace msg_viewer {

namespace {

struct tm localDate(time_t t) {
    struct tm date = {};
    localtime_r(&t, &date);
    return date;
}

bool sameDate(const struct tm& a, const struct tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday;
}

} // namespace

MVItemDateLine::MVItemDateLine(long seconds) : MVItemFixed("message.date_1text"), _time(seconds) {}

bool MVItemDateLine::isSameDay(time_t a, time_t b) {
    return sameDate(localDate(a), localDate(b));
}

std::string MVItemDateLine::getText() const {
    time_t now = time(nullptr);
    struct tm today = localDate(now);
    struct tm date = localDate(_time);
    if (sameDate(date, today))
        return common_ui_helper::get_text("WDS_LOGS_HEADER_TODAY_ABB");
    // The day before today by the calendar, across month and year ends.
    struct tm yesterday = today;
    yesterday.tm_mday -= 1;
    yesterday.tm_hour = 12;
    yesterday.tm_isdst = -1;
    mktime(&yesterday);
    if (sameDate(date, yesterday))
        return common_ui_helper::get_text("WDS_LOGS_HEADER_YESTERDAY_ABB");
    std::string text;
    MCommonI18n::Formatter kind =
        date.tm_year == today.tm_year ? MCommonI18n::DATE_LONG_THIS_YEAR : MCommonI18n::DATE_LONG;
    MCommonI18n::getInstance()->getFormattedDateTimeText(kind, _time, text, false);
    return text;
}

} // namespace msg_viewer
} // namespace msg_app
