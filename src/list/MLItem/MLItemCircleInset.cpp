#include "list/MLItem/MLItemCircleInset.h"

#include <algorithm>
#include <cmath>

namespace msg_app {
namespace msg_list {

namespace {

// The list row's geometry in the theme's pixels (list.4text.custom): its side margin, the line
// block's top in a row of three lines and of two, the lines' bands, and select mode's check.
constexpr double ROW_H = 124;
constexpr double ROW_SIDE = 38;
constexpr double BLOCK_PAD_3LINES = 9;
constexpr double BLOCK_PAD_2LINES = 26;
constexpr double NAME_LINE_H = 38;
constexpr double TEXT_LINE_H = 34;
constexpr double CHECK_SIZE = 40;
constexpr double CHECK_ROOM = 52; // the check and its gap before the texts
// What a line draws stays this far inside its band: the glyphs' ink of a text line, the icons
// of the first text line nearly all of it.
constexpr double INK_INSET[] = {5, 1, 4};
// Drawn parts keep this far inside the circle.
constexpr double EDGE_MARGIN = 3;
// What each line keeps between its insets however far in the edge comes: the name line its
// alert mark, its widest date and a little name, the first text line its badge and SIM mark
// with some text.
constexpr int MIN_ROOM[] = {200, 130, 60};

// The left edge, in the screen's pixels, that keeps a band of the screen inside the circle.
double edgeFor(double top, double bottom, double screen) {
    double r = screen / 2;
    double dy = std::max(std::fabs(top - r), std::fabs(bottom - r));
    if (dy >= r)
        return r;
    return r - std::sqrt(r * r - dy * dy) + EDGE_MARGIN;
}

int toTheme(double screenPixels, double scale) {
    int inset = static_cast<int>(std::ceil(std::max(0.0, screenPixels) / scale));
    return std::min(inset, MLItemCircleInset::MAX_INSET);
}

} // namespace

bool MLItemCircleInset::Insets::operator==(const Insets& other) const {
    return check == other.check && std::equal(start, start + LINES, other.start) &&
           std::equal(end, end + LINES, other.end);
}

MLItemCircleInset::Insets MLItemCircleInset::at(const Place& place) {
    const double s = place.scale;
    auto edge = [&](double top, double bottom, double ink) {
        return edgeFor(place.rowTop + s * (top + ink), place.rowTop + s * (bottom - ink), place.screen);
    };
    Insets insets;
    const int rowW = static_cast<int>(place.screen / s - 2 * ROW_SIDE);
    double checkTop = (ROW_H - CHECK_SIZE) / 2;
    if (place.select) {
        insets.check = toTheme(edge(checkTop, checkTop + CHECK_SIZE, 0) - s * ROW_SIDE, s);
        insets.check = std::max(0, std::min(insets.check, rowW - static_cast<int>(CHECK_ROOM) - MIN_ROOM[0]));
    }
    // The texts after the check start that much further in already.
    double startAhead = place.select ? s * (ROW_SIDE + insets.check + CHECK_ROOM) : s * ROW_SIDE;
    double top = place.twoLines ? BLOCK_PAD_2LINES : BLOCK_PAD_3LINES;
    for (int line = 0; line < Insets::LINES; ++line) {
        double h = line == Insets::NAME ? NAME_LINE_H : TEXT_LINE_H;
        double x = edge(top, top + h, INK_INSET[line]);
        int start = toTheme(x - startAhead, s), end = toTheme(x - s * ROW_SIDE, s);
        int room = rowW - (place.select ? static_cast<int>(CHECK_ROOM) + insets.check : 0) - MIN_ROOM[line];
        if (start + end > room) {
            // Both sides give way alike.
            double share = room > 0 ? static_cast<double>(room) / (start + end) : 0;
            start = static_cast<int>(start * share);
            end = static_cast<int>(end * share);
        }
        insets.start[line] = start;
        insets.end[line] = end;
        top += h;
    }
    return insets;
}

std::vector<int> MLItemCircleInset::message(const Insets& insets, bool select) {
    std::vector<int> words = {0, select ? static_cast<int>(ROW_SIDE) + insets.check : 0};
    for (int line = 0; line < Insets::LINES; ++line) {
        int start =
            static_cast<int>(ROW_SIDE + (select ? CHECK_ROOM + insets.check : 0)) + insets.start[line];
        int end = static_cast<int>(ROW_SIDE) + insets.end[line];
        words.push_back(start);
        words.push_back(end);
    }
    words[0] = static_cast<int>(words.size()) - 1;
    return words;
}

} // namespace msg_list
} // namespace msg_app
