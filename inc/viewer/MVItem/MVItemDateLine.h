/*
 * The day of the messages below it: "Today", "Yesterday", or the date (with
 * the year only when it is not this year).
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMDATELINE_H
#define MSG_APP_VIEWER_MVITEM_MVITEMDATELINE_H

#include "viewer/MVItem/MVItemFixed.h"

#include <ctime>

namespace msg_app {
namespace msg_viewer {

class MVItemDateLine : public MVItemFixed {
public:
    // seconds: a time of the day, since the epoch.
    explicit MVItemDateLine(long seconds);

    Type getType() const override { return DATE_LINE; }
    std::string getText() const override;
    long getTime() const { return _time; }

    // Whether two times fall on the same local calendar date.
    static bool isSameDay(time_t a, time_t b);

private:
    long _time;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
