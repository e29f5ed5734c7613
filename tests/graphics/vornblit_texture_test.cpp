#include "vornblit_fixture.h"

TEST_F(Kernels32, ShadedFillWritesGreyLevels) {
    std::vector<uint32_t> d(3, 1);
    VornBlit_BlitFillShade32(d.data(), 3, 0x01FF0000, 0x10000); // bits 16-23 only
    EXPECT_EQ(d, (std::vector<uint32_t>{0x00FFFFFF, 0x00000000, 0x00010101}));
}

TEST_F(Kernels16, ShadedFillConvertsTheGrey) {
    std::vector<uint16_t> d(2, 1);
    VornBlit_BlitFillShade16(d.data(), 2, 0x00800000, 0x7F0000);
    EXPECT_EQ(d, (std::vector<uint16_t>{0x4210, 0x7FFF}));
}

// A 256 x 256 texture whose texel is its own index.
struct Texture32 : Kernels32 {
    std::vector<uint32_t> t = std::vector<uint32_t>(65536);
    void SetUp() override {
        Kernels32::SetUp();
        for (uint32_t i = 0; i < 65536; ++i) t[i] = i;
    }
    uint32_t at(int32_t u, int32_t v) {
        uint32_t d = 1;
        VornBlit_BlitFillTexture32(&d, t.data(), 1, u, v, 0, 0);
        return d;
    }
};

TEST_F(Texture32, IndexIsRowTimes256PlusColumnWrappingAt65536) {
    EXPECT_EQ(at(0xFF00, 0), 255u);
    EXPECT_EQ(at(0x10000, 0), 256u); // past the row end into the next row
    EXPECT_EQ(at(0xFF00, 0xFFFF), 0xFFFFu);
    EXPECT_EQ(at(0, 0x10000), 0u);     // row 256 is row 0
    EXPECT_EQ(at(-0x100, 0), 0xFFFFu); // u >> 8 is arithmetic
    std::vector<uint32_t> d(3);
    VornBlit_BlitFillTexture32(d.data(), t.data(), 3, 0x180, 0x0280, 0x100, 0x100);
    EXPECT_EQ(d, (std::vector<uint32_t>{0x201, 0x302, 0x403}));
}

TEST_F(Texture32, ShadedAndDualTextures) {
    t[1] = 0x00010203;
    uint32_t d = 0;
    VornBlit_BlitFillShadeTexture32(&d, t.data(), 1, 0x100, 0, 0x2FF, 0, 0, 0);
    EXPECT_EQ(d, 0x00020406u); // texel times the integer part of the 8.8 shade

    std::vector<uint32_t> t2(65536, 0);
    t[0] = 0xFFFFFFFE;
    t[2] = 0x7FFFFFFF;
    t2[2] = 0x7FFFFFFF;
    std::vector<uint32_t> out(3);
    VornBlit_BlitFillDualTexture32(out.data(), t.data(), t2.data(), 3, 0, 0, 0, 0, 0x100, 0, 0x100,
                                   0);
    // A signed sum halved arithmetically.
    EXPECT_EQ(out, (std::vector<uint32_t>{0xFFFFFFFF, 0x00008101, 0xFFFFFFFF}));
}

TEST_F(Kernels16, TextureFills) {
    std::vector<uint16_t> t(65536), t2(65536, 0xFFFF);
    for (uint32_t i = 0; i < 65536; ++i) t[i] = static_cast<uint16_t>(i);
    std::vector<uint16_t> d(2);
    VornBlit_BlitFillTexture16(d.data(), t.data(), 2, 0xFF00, 0xFF00, 0x100, 0);
    EXPECT_EQ(d, (std::vector<uint16_t>{0xFFFF, 0x0000}));
    VornBlit_BlitFillShadeTexture16(d.data(), t.data(), 1, 0x3400, 0x1200, 0x10000, 0, 0, 0);
    EXPECT_EQ(d[0], 0x3400); // 0x1234 * 256, cut to 16 bits
    VornBlit_BlitFillDualTexture16(d.data(), t2.data(), t2.data(), 1, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(d[0], 0xFFFF);
}
