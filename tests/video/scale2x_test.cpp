// The 2x scaler's four modes in both depths, and its limits with sizes that do not fit.
#include <algorithm>
#include <vector>

#include "graphics/scale2x.h"
#include "video_fixture.h"

namespace {
const uint32_t UNTOUCHED = 0xDEADBEEF;

// A bitmap over a vector, with guard words after the pixels the record claims.
template <typename P = uint32_t> struct Image {
    std::vector<P> pixels;
    VRX_Bitmap bitmap;
    Image(int32_t w, int32_t h, P fill)
        : pixels(size_t(w) * h + 16, fill), bitmap{w, h, uint32_t(w * h * sizeof(P)), w * h,
                                                   pixels.data()} {}
};

using Scale2x = VideoGroup;

// Pictures as strings, one character a pixel, rows ended by '/'; '.' is a pixel not drawn, as
// is every row after the expected ones. Characters below 0x60 keep the 5-5-5 green channel's
// low bit clear, so the smoothing means agree in both depths.
template <typename P> void check_modes() {
    const struct {
        int32_t mode, sw, sh;
        const char *source;
        int32_t dw, dh;
        const char *want;
    } cases[] = {
        {1, 2, 1, "PQ/", 4, 2, "PPQQ/PPQQ/"},
        {-7, 2, 1, "PQ/", 4, 2, "PPQQ/PPQQ/"},
        {5, 2, 1, "PQ/", 4, 2, ""},
        // Mode 2 blends right, down and diagonally, each channel's low bit dropped first (A and
        // E give B, A and A give @); the last row and column make no block.
        {2, 3, 2, "AEA/EAE/", 6, 4, "ABEB../B@BD../"},
        // Modes 3 and 4 leave the source's border ring undrawn.
        {3, 3, 3, "1A3/A5B/7B9/", 6, 6, "....../....../..A5../..5B../"},
        {3, 3, 3, "1A3/B5A/7B9/", 6, 6, "....../....../..5A../..B5../"},
        {3, 3, 3, "1A3/A5B/7A9/", 6, 6, "....../....../..55../..55../"},
        // Mode 4 keeps a checkerboard in phase with the source's; mode 3 flattens it.
        {4, 4, 3, "PQPQ/QPQP/PQPQ/", 8, 6, "......../......../..PQPQ../..QPQP../"},
        {3, 4, 3, "PQPQ/QPQP/PQPQ/", 8, 6, "......../......../..PPQQ../..PPQQ../"},
        {4, 3, 3, "PQZ/QPZ/ZZZ/", 6, 6, "....../....../..PZ../..ZP../"}, // upper-left square
        // A destination too small takes whole blocks only.
        {1, 4, 4, "PPPP/PPPP/PPPP/PPPP/", 5, 3, "PPPP./PPPP./"},
        {2, 4, 4, "PPPP/PPPP/PPPP/PPPP/", 5, 3, "PPPP./PPPP./"},
        {4, 4, 4, "PPPP/PPPP/PPPP/PPPP/", 5, 3, ""},
    };
    for (const auto &c : cases) {
        const P untouched = P(UNTOUCHED);
        Image<P> s(c.sw, c.sh, 0), d(c.dw, c.dh, untouched);
        for (int32_t i = 0; i < c.sw * c.sh; i++) s.pixels[i] = uint8_t(c.source[i + i / c.sw]);
        VRX_ScaleBitmap2x(s.bitmap, d.bitmap, c.mode);
        std::string got, want = c.want;
        for (int32_t i = 0; i < c.dw * c.dh; i++) {
            got += d.pixels[i] == untouched ? '.' : char(d.pixels[i]);
            if (i % c.dw == c.dw - 1) got += '/';
        }
        while (want.size() < got.size()) want += std::string(c.dw, '.') + "/";
        EXPECT_EQ(got, want) << sizeof(P) * 8 << " bits, mode " << c.mode << " on " << c.source;
        EXPECT_EQ(std::count(d.pixels.end() - 16, d.pixels.end(), untouched), 16) << "guard";
    }
}

TEST_F(Scale2x, ModesOnSmallPicturesInBothDepths) {
    check_modes<uint32_t>();
    testing::internal::CaptureStdout();
    VRX_InitVideo(4, 4, 16, 0x10);
    testing::internal::GetCapturedStdout();
    check_modes<uint16_t>();
    // The 16-bit mean works per channel: red and blue halves, each without its lowest bit.
    Image<uint16_t> s(2, 2, 0x7C00), d(4, 4, 0);
    s.pixels[1] = s.pixels[3] = 0x001F;
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 2);
    EXPECT_EQ(d.pixels[1], 0x3C0F);
}

TEST_F(Scale2x, RefusesWhatItCannotDraw) {
    Image s(4, 4, 1u), d(8, 8, UNTOUCHED);
    VRX_Bitmap empty = {2, 2, 16, 4, nullptr};
    VRX_Bitmap tall_source = s.bitmap, wide_destination = d.bitmap, negative = s.bitmap;
    tall_source.height = 100;
    wide_destination.width = 400;
    negative.width = -4;
    testing::internal::CaptureStdout();
    VRX_ScaleBitmap2x(empty, d.bitmap, 1);
    VRX_ScaleBitmap2x(d.bitmap, empty, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "bitmap has no data\nbitmap has no data\n");
    VRX_ScaleBitmap2x(tall_source, d.bitmap, 1);
    VRX_ScaleBitmap2x(s.bitmap, wide_destination, 1);
    VRX_ScaleBitmap2x(negative, d.bitmap, 3);
    for (uint32_t p : d.pixels) EXPECT_EQ(p, UNTOUCHED);
}
} // namespace
