#include "vornblit_fixture.h"

// A 3 x 3 picture: the kernels run on the middle pixel with up = -3 and down = +3.
template <class T> struct Around {
    std::vector<T> p = std::vector<T>(9, 0);
    Around(T up, T left, T centre, T right, T down) {
        p[1] = up;
        p[3] = left;
        p[4] = centre;
        p[5] = right;
        p[7] = down;
    }
    const T *mid() const { return p.data() + 4; }
};

TEST_F(Kernels32, BlurAveragesTheFourNeighbours) {
    uint32_t d = 1;
    Around<uint32_t> one(0, 0x000000FF, 0x00FFFFFF, 0, 0);
    VornBlit_BlitBlur32(&d, one.mid(), -3, 3, 1);
    EXPECT_EQ(d, 0x3Fu); // the centre is not used
    // The sum wraps and is shifted arithmetically.
    Around<uint32_t> top(0xFF000000, 0xFF000000, 0, 0xFF000000, 0xFF000000);
    VornBlit_BlitBlur32(&d, top.mid(), -3, 3, 1);
    EXPECT_EQ(d, 0xFC000000u);
    // Offsets of 0 let the row stand in for a missing neighbour row.
    VornBlit_BlitBlur32(&d, one.mid(), 0, 0, 1);
    EXPECT_EQ(d, 0x7E7EBDu); // (0xFC + 2 * 0xFCFCFC) >> 2
}

TEST_F(Kernels16, BlurAveragesTheFourNeighbours) {
    uint16_t d = 1;
    Around<uint16_t> all(0x7FFF, 0x7FFF, 0, 0x7FFF, 0x7FFF);
    VornBlit_BlitBlur16(&d, all.mid(), -3, 3, 1);
    EXPECT_EQ(d, 0x739C);
}

TEST_F(Kernels32, AntiAliasSmoothsOnlyStrongTwoWayEdges) {
    const uint32_t W = 0x00FFFFFF;
    auto run = [](const Around<uint32_t> &a) {
        uint32_t d = 1;
        VornBlit_BlitAntiAlias32(&d, a.mid(), -3, 3, 1);
        return d;
    };
    EXPECT_EQ(run({0, 0, 0, W, W}), 0x007F7F7Fu);          // mean of left and right
    EXPECT_EQ(run({0, 0, 0, W, 0}), 0u);                   // no vertical edge: copy
    EXPECT_EQ(run({0, 0, 0, 0x80, W}), 0u);                // 128 is not past the threshold
    EXPECT_EQ(run({0, 0, 0, 0x81, W}), 0x40u);             // 129 is
    EXPECT_EQ(run({0, 0, 0x00808080, W, W}), 0x808080u);   // unlike both sides: copy
    EXPECT_EQ(run({0, 0, 0x007F0000, W, W}), 0x007F7F7Fu); // 127 from the left is alike
}

TEST_F(Kernels16, AntiAliasSmoothsOnlyStrongTwoWayEdges) {
    auto run = [](const Around<uint16_t> &a) {
        uint16_t d = 1;
        VornBlit_BlitAntiAlias16(&d, a.mid(), -3, 3, 1);
        return d;
    };
    EXPECT_EQ(run({0, 0, 0, 0x7FFF, 0x7FFF}), 0x3DEF);
    EXPECT_EQ(run({0, 0, 0, 0x0010, 0x7FFF}), 0); // 16 is not past the threshold
    EXPECT_EQ(run({0, 0, 0, 0x0011, 0x7FFF}), 0x0008);
}
