/*
 * A conversation row on the round screen: where the row stands low or high on the screen, the
 * circle's edge comes in, and the row's lines and its check move in with it (the list row's
 * custom insets), so that at rest no letter or badge of a row half in view lies beyond the edge.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMCIRCLEINSET_H
#define MSG_APP_LIST_MLITEM_MLITEMCIRCLEINSET_H

#include <vector>

namespace msg_app {
namespace msg_list {

class MLItemCircleInset {
public:
    // Where the row stands, in the screen's pixels.
    struct Place {
        double rowTop = 0;
        double scale = 1;      // the theme's pixels to the screen's
        double screen = 360;   // the round screen's diameter
        bool twoLines = false; // one text line gave its room up: the lines move down
        bool select = false;   // the check of select mode stands at the lines' start
    };
    // How far each part moves in from the row's side margin, in the theme's pixels at scale 1.0.
    struct Insets {
        enum Line { NAME, TEXT1, TEXT2, LINES };
        int check = 0;
        int start[LINES] = {};
        int end[LINES] = {};
        bool operator==(const Insets& other) const;
        bool operator!=(const Insets& other) const { return !(*this == other); }
    };
    // A line pushed in further than this is mostly off the screen: it keeps some room to show.
    static constexpr int MAX_INSET = 90;

    static Insets at(const Place& place);
    // The row theme's message: the check's distance from the row's start side (0 outside select
    // mode), each line's start and end margin (its start takes the check's room in select mode),
    // in the theme's pixels; count first.
    static std::vector<int> message(const Insets& insets, bool select);
};

} // namespace msg_list
} // namespace msg_app

#endif
