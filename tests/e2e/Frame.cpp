#include "Frame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace msg_e2e {

namespace {

// Anti-aliasing and the scroll bar's fade differ by a few levels between two
// pictures of the same screen.
constexpr int NOISE = 24;
constexpr int DARK = 40;
constexpr int BRIGHT = 160;

} // namespace

Frame::Frame(int width, int height, std::vector<uint8_t> rgb)
    : _width(width), _height(height), _rgb(std::move(rgb)) {}

Rect Frame::_clip(Rect a) const {
    int x0 = std::clamp(a.x, 0, _width), y0 = std::clamp(a.y, 0, _height);
    int x1 = std::clamp(a.x + a.w, 0, _width), y1 = std::clamp(a.y + a.h, 0, _height);
    return {x0, y0, x1 - x0, y1 - y0};
}

bool Frame::_lit(int x, int y) const {
    const uint8_t* p = _at(x, y);
    return std::max({p[0], p[1], p[2]}) > DARK;
}

double Frame::_share(Rect area, const std::function<bool(int, int)>& counts) const {
    Rect a = _clip(area);
    if (a.w <= 0 || a.h <= 0)
        return 0.0;
    long counted = 0;
    for (int y = a.y; y < a.y + a.h; ++y) {
        for (int x = a.x; x < a.x + a.w; ++x)
            counted += counts(x, y) ? 1 : 0;
    }
    return static_cast<double>(counted) / (static_cast<double>(a.w) * a.h);
}

double Frame::differenceIn(const Frame& other, Rect area) const {
    if (other._width != _width || other._height != _height)
        return 1.0;
    return _share(area, [&](int x, int y) {
        const uint8_t *p = _at(x, y), *q = other._at(x, y);
        return std::abs(p[0] - q[0]) > NOISE || std::abs(p[1] - q[1]) > NOISE ||
               std::abs(p[2] - q[2]) > NOISE;
    });
}

bool Frame::findColour(Rect area, int r, int g, int b, int tolerance, int least, Point* at) const {
    long count = 0, sumX = 0, sumY = 0;
    _share(area, [&](int x, int y) {
        const uint8_t* p = _at(x, y);
        if (std::abs(p[0] - r) > tolerance || std::abs(p[1] - g) > tolerance ||
            std::abs(p[2] - b) > tolerance)
            return false;
        ++count, sumX += x, sumY += y;
        return true;
    });
    if (count < least)
        return false;
    *at = {static_cast<int>(sumX / count), static_cast<int>(sumY / count)};
    return true;
}

double Frame::litShareIn(Rect area) const {
    return _share(area, [&](int x, int y) { return _lit(x, y); });
}

int Frame::lowestLitLineIn(Rect area) const {
    Rect a = _clip(area);
    for (int y = a.y + a.h - 1; y >= a.y; --y) {
        for (int x = a.x; x < a.x + a.w; ++x) {
            if (_lit(x, y))
                return y;
        }
    }
    return -1;
}

int Frame::longestBrightRunIn(Rect area) const {
    Rect a = _clip(area);
    int longest = 0;
    for (int y = a.y; y < a.y + a.h; ++y) {
        int run = 0;
        for (int x = a.x; x < a.x + a.w; ++x) {
            const uint8_t* p = _at(x, y);
            run = std::min({p[0], p[1], p[2]}) > BRIGHT ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

bool Frame::savePng(const std::string& path) const {
    if (empty())
        return false;
    std::string command = "convert -size " + std::to_string(_width) + "x" + std::to_string(_height) +
                          " -depth 8 rgb:- '" + path + "'";
    FILE* pipe = popen(command.c_str(), "w");
    if (!pipe)
        return false;
    bool written = fwrite(_rgb.data(), 1, _rgb.size(), pipe) == _rgb.size();
    return pclose(pipe) == 0 && written;
}

} // namespace msg_e2e
