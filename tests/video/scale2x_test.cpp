// The 2x scaler's four modes on small bitmaps, and its limits with sizes that do not fit.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/scale2x.h"
#include "video/video_state.h"

namespace {
const uint32_t SENTINEL = 0xDEADBEEF;

// A bitmap over a vector, with guard words after the pixels the record claims.
struct Image {
    std::vector<uint32_t> pixels;
    VRX_Bitmap bitmap;
    Image(int32_t w, int32_t h, uint32_t fill = SENTINEL)
        : pixels(size_t(w) * h + 16, fill), bitmap{w, h, uint32_t(w * h * 4), w * h,
                                                   pixels.data()} {}
    uint32_t &at(int32_t x, int32_t y) { return pixels[size_t(y) * bitmap.width + x]; }
    bool guard_intact() const {
        for (size_t i = pixels.size() - 16; i < pixels.size(); i++)
            if (pixels[i] != SENTINEL) return false;
        return true;
    }
};

Image source(int32_t w, int32_t h, std::initializer_list<uint32_t> values) {
    Image img(w, h, 0);
    size_t i = 0;
    for (uint32_t v : values) img.pixels[i++] = v;
    return img;
}

void expect_block(Image &d, int32_t bx, int32_t by, uint32_t tl, uint32_t tr, uint32_t bl,
                  uint32_t br) {
    EXPECT_EQ(d.at(2 * bx, 2 * by), tl) << "block " << bx << "," << by;
    EXPECT_EQ(d.at(2 * bx + 1, 2 * by), tr) << "block " << bx << "," << by;
    EXPECT_EQ(d.at(2 * bx, 2 * by + 1), bl) << "block " << bx << "," << by;
    EXPECT_EQ(d.at(2 * bx + 1, 2 * by + 1), br) << "block " << bx << "," << by;
}

class Scale2x : public ::testing::Test {
  protected:
    void SetUp() override { VRX_video.flags = 0; }
    void TearDown() override { VRX_video.flags = 0; }
};

TEST_F(Scale2x, DoublingMakesSolidBlocks) {
    const uint32_t P = 0xFF112233, Q = 0xFF445566;
    for (int32_t mode : {1, 0, -7}) {
        Image s = source(2, 1, {P, Q});
        Image d(4, 2);
        VRX_ScaleBitmap2x(s.bitmap, d.bitmap, mode);
        EXPECT_EQ(std::vector<uint32_t>(d.pixels.begin(), d.pixels.begin() + 8),
                  (std::vector<uint32_t>{P, P, Q, Q, P, P, Q, Q}))
            << "mode " << mode;
        EXPECT_TRUE(d.guard_intact());
    }
}

TEST_F(Scale2x, OtherModesAnd16BitDrawNothing) {
    Image s = source(2, 2, {1, 2, 3, 4});
    Image d(4, 4);
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 5);
    VRX_video.flags = VRX_VIDEO_16BIT;
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 1);
    for (uint32_t p : d.pixels) EXPECT_EQ(p, SENTINEL);
}

TEST_F(Scale2x, BitmapWithoutDataIsReported) {
    Image d(4, 4);
    VRX_Bitmap empty = {2, 2, 16, 4, nullptr};
    testing::internal::CaptureStdout();
    VRX_ScaleBitmap2x(empty, d.bitmap, 1);
    VRX_ScaleBitmap2x(d.bitmap, empty, 1);
    VRX_ScaleBitmap2x32(empty, d.bitmap, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "bitmap has no data\nbitmap has no data\n");
    for (uint32_t p : d.pixels) EXPECT_EQ(p, SENTINEL);
}

TEST_F(Scale2x, SmoothingBlendsRightDownAndDiagonal) {
    const uint32_t W = 0xFFFFFFFF, K = 0xFF000000, R = 0xFFFF0000, G = 0xFF00FF00;
    Image s = source(3, 2, {W, K, R, G, R, K});
    Image d(6, 4);
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 2);
    // Anchored at row 2y like the other modes. The mean drops each channel's low bit first, so
    // no colour channel carries into the next; the top byte's carry leaves the word.
    expect_block(d, 0, 0, W, 0x7E7F7F7F, 0x7E7FFE7F, 0x7EFE7F7F);
    expect_block(d, 1, 0, K, 0x7E7F0000, 0x7E7F0000, 0x7E000000);
    // The last column and the last row produce no block.
    expect_block(d, 2, 0, SENTINEL, SENTINEL, SENTINEL, SENTINEL);
    for (int32_t x = 0; x < 6; x++) {
        EXPECT_EQ(d.at(x, 2), SENTINEL);
        EXPECT_EQ(d.at(x, 3), SENTINEL);
    }
}

TEST_F(Scale2x, EdgeRuleFollowsMatchingNeighbours) {
    const uint32_t X = 0xA, Y = 0xB, E = 0x5;
    Image s = source(3, 3, {1, X, 3, X, E, Y, 7, Y, 9});
    Image d(6, 6);
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 3);
    expect_block(d, 1, 1, X, E, E, Y);
    // The border ring of the source is not drawn.
    for (int32_t y = 0; y < 6; y++)
        for (int32_t x = 0; x < 6; x++)
            if (x < 2 || x > 3 || y < 2 || y > 3) {
                EXPECT_EQ(d.at(x, y), SENTINEL) << x << "," << y;
            }

    // Above equal to below: no edge, a solid block.
    Image flat = source(3, 3, {1, X, 3, X, E, Y, 7, X, 9});
    Image d2(6, 6);
    VRX_ScaleBitmap2x(flat.bitmap, d2.bitmap, 3);
    expect_block(d2, 1, 1, E, E, E, E);
}

TEST_F(Scale2x, EdgeRuleOnALargerPicture) {
    // A diagonal step: the edge pixels take their matching neighbours' colour in the corner.
    const uint32_t O = 0, I = 1;
    Image s = source(4, 4, {O, O, O, O, O, O, I, I, O, I, I, I, O, I, I, I});
    Image d(8, 8);
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 3);
    // E at (1,1): B=O, D=O, F=I, H=I: B!=H, D!=F -> TL=O, TR=E, BL=E, BR=I.
    expect_block(d, 1, 1, O, O, O, I);
    // E at (2,2) = I: B=I, D=I, F=I, H=I -> no edge.
    expect_block(d, 2, 2, I, I, I, I);
    EXPECT_TRUE(d.guard_intact());
}

TEST_F(Scale2x, DitherKeepsCheckerboardInPhase) {
    const uint32_t P = 0x111111, Q = 0x222222;
    Image s = source(4, 4, {P, Q, P, Q, Q, P, Q, P, P, Q, P, Q, Q, P, Q, P});
    Image d(8, 8);
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 4);
    expect_block(d, 1, 1, P, Q, Q, P); // E=P, F=Q; same parity: E F over F E
    expect_block(d, 2, 1, P, Q, Q, P); // E=Q, F=P; other parity: F E over E F
    expect_block(d, 1, 2, P, Q, Q, P);
    expect_block(d, 2, 2, P, Q, Q, P);
    expect_block(d, 0, 0, SENTINEL, SENTINEL, SENTINEL, SENTINEL);

    // Mode 3 flattens the same dither into solid blocks.
    Image d3(8, 8);
    VRX_ScaleBitmap2x(s.bitmap, d3.bitmap, 3);
    expect_block(d3, 1, 1, P, P, P, P);
    expect_block(d3, 2, 1, Q, Q, Q, Q);
}

TEST_F(Scale2x, DitherRuleByTheUpperLeftSquare) {
    // A, B, D, E form the checkerboard (A=E, B=D) while E, F, H, I do not.
    const uint32_t P = 0x1, Q = 0x2, Z = 0x3;
    Image s = source(3, 3, {P, Q, Z, Q, P, Z, Z, Z, Z});
    Image d(6, 6);
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 4);
    expect_block(d, 1, 1, P, Z, Z, P); // E=P, F=Z, (1+1) even: E F over F E
}

TEST_F(Scale2x, DestinationTooSmallIsClipped) {
    const uint32_t P = 7;
    Image s(4, 4, P);
    for (int32_t mode : {1, 2, 3, 4}) {
        Image d(5, 3); // room for 2x1 blocks
        VRX_ScaleBitmap2x(s.bitmap, d.bitmap, mode);
        EXPECT_TRUE(d.guard_intact()) << "mode " << mode;
        EXPECT_EQ(d.at(4, 0), SENTINEL) << "the odd last column is not a whole block";
        EXPECT_EQ(d.at(0, 2), SENTINEL);
    }
    Image d(5, 3);
    VRX_ScaleBitmap2x(s.bitmap, d.bitmap, 1);
    EXPECT_EQ(d.at(3, 1), P);
}

TEST_F(Scale2x, RecordsClaimingMoreThanTheirDataAreRefused) {
    Image s(4, 4, 1);
    Image d(8, 8);
    VRX_Bitmap lying_source = s.bitmap;
    lying_source.height = 100;
    VRX_ScaleBitmap2x(lying_source, d.bitmap, 1);
    VRX_Bitmap lying_destination = d.bitmap;
    lying_destination.width = 400;
    VRX_ScaleBitmap2x(s.bitmap, lying_destination, 1);
    VRX_Bitmap negative = s.bitmap;
    negative.width = -4;
    VRX_ScaleBitmap2x(negative, d.bitmap, 3);
    for (uint32_t p : d.pixels) EXPECT_EQ(p, SENTINEL);
}
} // namespace
