/*
 * The name line of a conversation row: the sender and the time or date beside it. A time, a date
 * or a sender shown as a number is never cut, so the row chooses the time's width for its text
 * and the size a number is drawn in to fit the room left; a name may still be cut.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMNAMELINE_H
#define MSG_APP_LIST_MLITEM_MLITEMNAMELINE_H

#include <Evas.h>

#include <string>

namespace msg_app {
namespace msg_list {

class MLItemNameLine {
public:
    // The row's room for the name and the time, in the theme's pixels at scale 1.0.
    struct Room {
        int width = 0;  // between the row's side margins
        int before = 0; // taken before the name: the check of select mode, the alert mark
    };
    struct Look {
        std::string timeSignal; // "elm,state,time,W": the time's width
        std::string nameSignal; // "elm,state,name,number,SIZE" for a number, else "elm,state,name,text"
    };

    // Measures the texts on the canvas where the row is drawn.
    static Look choose(Evas* canvas, const std::string& name, bool nameIsNumber, const std::string& time,
                       const Room& room);

private:
    static int _width(Evas* canvas, const char* font, int size, const std::string& text);
};

} // namespace msg_list
} // namespace msg_app

#endif
