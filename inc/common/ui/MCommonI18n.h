/*
 * Message times, date lines and counts in the user's region format. One ICU
 * date formatter per kind, built on first use and rebuilt when the clock
 * style, the date order, the time zone or the region changes; each change is
 * announced as APP_EVENT_TIME_FORMAT_CHANGED so that screens redraw.
 * Main loop only.
 */
#ifndef MSG_APP_COMMON_MCOMMONI18N_H
#define MSG_APP_COMMON_MCOMMONI18N_H

#include "common/IMCommonAppEventListener.h"
#include "utils_i18n.h"

#include <ctime>
#include <map>
#include <string>

typedef struct keynode keynode_t;

namespace msg_app {

class MCommonI18n : public IMCommonAppEventListener {
public:
    enum Formatter {
        TIME = 0,
        DATE = 1,
        DATE_THIS_YEAR = 2,
        DATE_LONG = 3,
        DATE_LONG_THIS_YEAR = 4,
    };

    static MCommonI18n* getInstance();
    // Stops watching the settings, frees every formatter and ends the instance; the next
    // getInstance() starts afresh.
    static void release();

    // t = 0 is now. With omitThisYear, a date of the current year drops its year.
    // out is left unchanged when no formatter can be made.
    void getFormattedDateTimeText(Formatter f, time_t t, std::string& out, bool omitThisYear);
    // A list row's stamp: the time for today, the day and month for this year, else the date.
    void getFormattedSimpleDateTimeText(time_t t, std::string& out);
    void getFormattedNumberText(int n, std::string& out);

    void appEventListener(MCommonAppEventType type) override;
    ~MCommonI18n() override;

private:
    MCommonI18n();
    MCommonI18n(const MCommonI18n&) = delete;
    MCommonI18n& operator=(const MCommonI18n&) = delete;

    static void _destroy();
    void _unsubscribe();
    void _clearFormatters();
    void _setLocale();
    void _setDefaultTimezone();
    void _getFormattedDateText(Formatter f, time_t t, std::string& out);
    i18n_udate_format_h _getUdateFormatter(Formatter f);
    void _setTimeFormatter();
    void _setDateFormatter(Formatter f);
    // The locale's pattern for the skeleton, kept from an earlier run when there is one.
    bool _getBestPattern(const char* skeleton, std::string& out);
    void _addUdateFormatter(Formatter f, const std::string& pattern);
    void _addRtlMarks(std::string& out) const;

    static void _timeFormatChangedCb(keynode_t* node, void* data);
    static void _dateFormatChangedCb(keynode_t* node, void* data);
    static void _timeChangedCb(keynode_t* node, void* data);

    static MCommonI18n* _instance;
    bool _isRtl = false;
    std::string _locale;
    std::map<Formatter, i18n_udate_format_h> _formatters;
};

} // namespace msg_app

#endif
