#ifndef MSG_TESTS_E2E_FRAME_H
#define MSG_TESTS_E2E_FRAME_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace msg_e2e {

struct Point {
    int x, y;
};

struct Rect {
    int x, y, w, h;
};

// One captured picture of a window, 8-bit RGB.
class Frame {
public:
    Frame() = default;
    Frame(int width, int height, std::vector<uint8_t> rgb);

    bool empty() const { return _rgb.empty(); }
    Rect whole() const { return {0, 0, _width, _height}; }

    // Share of the pixels of `area` that differ from `other` by more than noise.
    double differenceIn(const Frame& other, Rect area) const;
    // Share of the pixels of `area` that are not black.
    double litShareIn(Rect area) const;
    // The lowest line of `area` with a pixel that is not black; -1 when none is.
    int lowestLitLineIn(Rect area) const;
    // The longest run of bright pixels on one line of `area`.
    int longestBrightRunIn(Rect area) const;
    // The middle of the pixels of `area` whose colour is within `tolerance` of (r, g, b) on each
    // channel, when at least `least` of them are; false otherwise.
    bool findColour(Rect area, int r, int g, int b, int tolerance, int least, Point* at) const;
    // Written as PNG by ImageMagick's convert; false when it failed.
    bool savePng(const std::string& path) const;

private:
    const uint8_t* _at(int x, int y) const { return &_rgb[(static_cast<size_t>(y) * _width + x) * 3]; }
    Rect _clip(Rect area) const;
    bool _lit(int x, int y) const;
    // The share of the pixels of `area` that `counts` takes, each visited once.
    double _share(Rect area, const std::function<bool(int, int)>& counts) const;

    int _width = 0;
    int _height = 0;
    std::vector<uint8_t> _rgb;
};

} // namespace msg_e2e

#endif
