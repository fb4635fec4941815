#include "block/MBItem/MBItemDateLine.h"

#include "common/ui/MCommonI18n.h"

namespace msg_app {
namespace msg_block {

MBItemDateLine::MBItemDateLine(time_t time, FromType fromType)
    : MBItem(fromType == FROM_HULM ? "filtered_list/detailview/date_from_hulm"
                                   : "filtered_list/detailview/date_from_mobile"),
      _time(time) {}

std::string MBItemDateLine::getText(const char* part) const {
    if (!part || std::string(part) != "elm.text")
        return std::string();
    // Formatted on every draw, so that a new time format or region shows at once.
    std::string date;
    std::string time;
    MCommonI18n::getInstance()->getFormattedDateTimeText(MCommonI18n::DATE, _time, date, true);
    MCommonI18n::getInstance()->getFormattedDateTimeText(MCommonI18n::TIME, _time, time, false);
    return toMarkup(date + " " + time);
}

} // namespace msg_block
} // namespace msg_app
