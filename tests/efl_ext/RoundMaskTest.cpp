// The round screen's mask, drawn as pieces of its image, is its image to the pixel on the device's
// screen, and still darkens the corners and clears the middle of a window of another size, with no
// seams between its pieces.
#include "Pixels.h"
#include "efl_ext/Theme.h"

#include <Ecore_Evas.h>
#include <Edje.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t GREY = 0xff808080;

class RoundMaskTest : public ::testing::Test {
protected:
    // The canvas's pixels with obj over a grey screen of w x h.
    std::vector<uint32_t> drawn(int w, int h, Evas_Object* (*add)(Evas*)) {
        Ecore_Evas* ee = ecore_evas_buffer_new(w, h);
        EXPECT_NE(ee, nullptr);
        if (!ee)
            return {};
        Evas_Object* screen = evas_object_rectangle_add(ecore_evas_get(ee));
        evas_object_color_set(screen, 0x80, 0x80, 0x80, 0xff);
        evas_object_resize(screen, w, h);
        evas_object_show(screen);
        Evas_Object* obj = add(ecore_evas_get(ee));
        EXPECT_NE(obj, nullptr);
        if (obj) {
            evas_object_resize(obj, w, h);
            evas_object_show(obj);
        }
        std::vector<uint32_t> out = msg_test::canvasPixels(ee, w, h);
        ecore_evas_free(ee);
        return out;
    }
    static Evas_Object* mask(Evas* evas) { return eext::Theme::addEdje(evas, "eext/circle/mask"); }
    static Evas_Object* wholeImage(Evas* evas) {
        Evas_Object* image = evas_object_image_filled_add(evas);
        evas_object_image_file_set(image, MSG_SOURCE_DIR "/platform/efl_ext/theme/images/circle_mask.png",
                                   nullptr);
        return image;
    }
};

} // namespace

TEST_F(RoundMaskTest, TheBandsDrawTheMaskImageToThePixel) {
    const std::vector<uint32_t> bands = drawn(360, 360, mask), whole = drawn(360, 360, wholeImage);
    ASSERT_EQ(bands.size(), whole.size());
    ASSERT_EQ(whole[0], 0xff000000u) << "the image was not drawn";
    const msg_test::PixelGap gap = msg_test::largestPixelGap(bands, whole);
    EXPECT_LE(gap.levels, 1) << "at " << gap.at % 360 << "," << gap.at / 360;
}

TEST_F(RoundMaskTest, AStretchedMaskDarkensTheCornersAndClearsTheMiddle) {
    for (int size : {300, 454}) {
        SCOPED_TRACE(size);
        const std::vector<uint32_t> px = drawn(size, size, mask);
        ASSERT_EQ(px.size(), static_cast<size_t>(size * size));
        for (int corner : {0, size - 1, size * (size - 1), size * size - 1})
            EXPECT_EQ(px[corner], 0xff000000u) << corner;
        for (int y : {size / 4, size / 2, 3 * size / 4})
            EXPECT_EQ(px[y * size + size / 2], GREY) << y;
        // Just inside the circle on the middle row, and just outside it on the first.
        EXPECT_EQ(px[size / 2 * size + size / 20], GREY);
        EXPECT_EQ(px[size / 4], 0xff000000u);
    }
}

TEST_F(RoundMaskTest, AStretchedMaskHasNoSeamsBetweenItsPieces) {
    // Stretched, a piece's edge is smoothed with the pixels next to it in its image: wherever the
    // whole image, stretched alike, is flat black or flat clear two pixels around, so is the mask.
    for (int size : {300, 454}) {
        SCOPED_TRACE(size);
        const std::vector<uint32_t> pieces = drawn(size, size, mask), whole = drawn(size, size, wholeImage);
        ASSERT_EQ(pieces.size(), static_cast<size_t>(size * size));
        ASSERT_EQ(whole.size(), pieces.size());
        auto at = [&](int x, int y) {
            return whole[std::clamp(y, 0, size - 1) * size + std::clamp(x, 0, size - 1)];
        };
        int seams = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const uint32_t px = whole[y * size + x];
                bool flat = px == 0xff000000u || px == GREY;
                for (int dy = -2; flat && dy <= 2; ++dy)
                    for (int dx = -2; flat && dx <= 2; ++dx)
                        flat = at(x + dx, y + dy) == px;
                if (flat && pieces[y * size + x] != px && seams++ == 0)
                    ADD_FAILURE() << "first seam at " << x << "," << y;
            }
        }
        EXPECT_EQ(seams, 0);
    }
}
