#ifndef MSG_TESTS_SUPPORT_UI_PIXELS_H
#define MSG_TESTS_SUPPORT_UI_PIXELS_H

#include <Ecore_Evas.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace msg_test {

// What a buffer canvas of w x h draws now, rendering it first.
inline std::vector<uint32_t> canvasPixels(Ecore_Evas* ee, int w, int h) {
    auto* px = static_cast<const uint32_t*>(ecore_evas_buffer_pixels_get(ee));
    return px ? std::vector<uint32_t>(px, px + static_cast<size_t>(w) * h) : std::vector<uint32_t>();
}

// The largest difference of any channel between two pictures of one size, and the pixel it is at.
struct PixelGap {
    int levels = 0;
    size_t at = 0;
};
inline PixelGap largestPixelGap(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    PixelGap gap;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        for (int shift : {0, 8, 16, 24}) {
            int levels = std::abs(int((a[i] >> shift) & 0xff) - int((b[i] >> shift) & 0xff));
            if (levels > gap.levels)
                gap = {levels, i};
        }
    }
    return gap;
}

} // namespace msg_test

#endif
