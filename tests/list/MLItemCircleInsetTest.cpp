// Where the round screen's edge pushes a conversation row's check and lines in, by the row's
// place on the screen.
#include "list/MLItem/MLItemCircleInset.h"

#include <gtest/gtest.h>

#include <cmath>

using msg_app::msg_list::MLItemCircleInset;
using Insets = MLItemCircleInset::Insets;

namespace {

constexpr double SCREEN = 360;
constexpr int ROW_SIDE = 38;
constexpr int ROW_H = 124;

// Whether a band of the screen between top and bottom holds x..right inside the circle, with the
// look check's few pixels of tolerance.
bool inside(double top, double bottom, double x, double right) {
    double r = SCREEN / 2, dy = std::max(std::fabs(top - r), std::fabs(bottom - r));
    double half = dy >= r ? 0 : std::sqrt(r * r - dy * dy);
    return x >= r - half - 4 && right <= r + half + 4;
}

MLItemCircleInset::Place place(double rowTop, bool select, bool twoLines = false) {
    MLItemCircleInset::Place p;
    p.rowTop = rowTop;
    p.select = select;
    p.twoLines = twoLines;
    return p;
}

} // namespace

TEST(MLItemCircleInset, LinesMoveInOnlyAsFarAsTheCircleAtTheirHeightAsks) {
    const struct {
        const char* where;
        double rowTop;
        bool select;
    } cases[] = {
        {"in the middle", (SCREEN - ROW_H) / 2, false},
        {"the first row at rest", 118, false},
        {"the second row at rest", 242, false},
        {"the second row in select mode", 242, true},
        {"a row high up", 20, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        Insets insets = MLItemCircleInset::at(place(c.rowTop, c.select));
        // Each line of a three-line row: its band, and the texts' start and end at its insets.
        const double bands[][2] = {{9 + 5, 47 - 5}, {47 + 1, 81 - 1}, {81 + 4, 115 - 4}};
        for (int line = 0; line < Insets::LINES; ++line) {
            double top = c.rowTop + bands[line][0], bottom = c.rowTop + bands[line][1];
            if (top < 0 || bottom > SCREEN)
                continue; // a line the screen's own edge cuts
            double start = ROW_SIDE + (c.select ? 52 + insets.check : 0) + insets.start[line];
            double end = SCREEN - ROW_SIDE - insets.end[line];
            EXPECT_TRUE(inside(top, bottom, start, end)) << "line " << line;
            // No further in than the circle needs: a few pixels more would cross it.
            if (insets.end[line] > 0 && insets.end[line] < MLItemCircleInset::MAX_INSET) {
                EXPECT_FALSE(inside(top, bottom, start - 8, end + 8)) << "line " << line;
            }
        }
    }
    // The rows a list shows whole in the middle keep the theme's own margins.
    EXPECT_EQ(MLItemCircleInset::at(place(118, false)), Insets());
}

TEST(MLItemCircleInset, ALineAtTheEdgeKeepsRoomForItsDateBadgeAndSomeText) {
    for (bool select : {false, true}) {
        for (double top : {-100.0, 300.0, 340.0}) {
            Insets insets = MLItemCircleInset::at(place(top, select, top > 320));
            int rowW = static_cast<int>(SCREEN) - 2 * ROW_SIDE - (select ? 52 + insets.check : 0);
            const int least[] = {200, 130, 60};
            for (int line = 0; line < Insets::LINES; ++line)
                EXPECT_GE(rowW - insets.start[line] - insets.end[line], least[line])
                    << "top " << top << (select ? " select" : "") << " line " << line;
        }
    }
}

TEST(MLItemCircleInset, TheThemesMessageGivesTheCheckAndEachLinesMarginsFromTheRowsSides) {
    Insets insets;
    insets.check = 5;
    insets.start[Insets::TEXT1] = 20;
    insets.end[Insets::TEXT1] = 21;
    EXPECT_EQ(MLItemCircleInset::message(insets, false), (std::vector<int>{7, 0, 38, 38, 58, 59, 38, 38}));
    EXPECT_EQ(MLItemCircleInset::message(insets, true), (std::vector<int>{7, 43, 95, 38, 115, 59, 95, 38}));
}
