// Video set-up, page copies, palette and pacing, in a process without a window.
#include <gtest/gtest.h>

#include <vector>

#include "base/library.h"
#include "hw_common/timer.h"
#include "hw_win32/win32.h"
#include "video/input.h"
#include "video/video.h"
#include "winapi/winapi.h"

namespace {
struct Record {
    uint32_t w, h, pitch, bpp, bytes, rm, gm, bm, rs, gs, bs, rb, gb, bb, flags;
    int32_t zoom;
};

Record record() {
    const VRX_VideoState &v = VRX_video;
    return Record{v.width,     v.height,   v.pitch,    v.bpp,        v.bytesperpixel, v.redmask,
                  v.greenmask, v.bluemask, v.redshift, v.greenshift, v.blueshift,     v.redbits,
                  v.greenbits, v.bluebits, v.flags,    v.zoom};
}

void expect_record(const Record &want) {
    Record got = record();
    EXPECT_EQ(0, memcmp(&got, &want, sizeof(Record)))
        << got.w << "x" << got.h << " pitch " << got.pitch << " bpp " << got.bpp << " flags "
        << std::hex << got.flags << " zoom " << got.zoom;
}

class Video : public ::testing::Test {
  protected:
    void SetUp() override {
        winapi_clock_use_real();
        VRX_Initialise();
    }
    void TearDown() override {
        testing::internal::CaptureStdout();
        VRX_CloseVideo();
        testing::internal::GetCapturedStdout();
        winapi_clock_use_real();
    }
};

const Record R32_640{640, 480, 640, 32, 4, 0xFF0000, 0x00FF00, 0x0000FF, 16, 8, 0, 8, 8, 8, 0, 0};

TEST_F(Video, Default32BitRecordAndBackBuffer) {
    EXPECT_EQ(VRX_InitVideo(640, 480, 32, 0), 1);
    expect_record(R32_640);
    EXPECT_EQ(VRX_screenbitmap.width, 640);
    EXPECT_EQ(VRX_screenbitmap.height, 480);
    EXPECT_EQ(VRX_screenbitmap.size, 1228800u);
    ASSERT_NE(VRX_screenbitmap.data, nullptr);
    EXPECT_EQ(VRX_GetVideoBuffer(), VRX_screenbitmap.data);
    EXPECT_EQ(VRX_screenbitmap2.data, nullptr);
    EXPECT_NE(dibarea, nullptr);
    EXPECT_EQ(dibinfo.bmiHeader.biWidth, 640);
    EXPECT_EQ(dibinfo.bmiHeader.biHeight, 480) << "bottom row first";
    EXPECT_EQ(dibinfo.bmiHeader.biBitCount, 32);
    EXPECT_EQ(VRX_video_updatespeed, 20u);
    EXPECT_EQ(VRX_video_numframes, 0u);
    int32_t w = 0, h = 0;
    VRX_GetMouseArea(&w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
}

TEST_F(Video, DepthFromBppAndFlag) {
    VRX_InitVideo(640, 480, 16, 0);
    expect_record(R32_640);
    VRX_InitVideo(640, 480, 32, 0x10);
    expect_record(R32_640);
    VRX_InitVideo(320, 200, 16, 0x10);
    expect_record(Record{320, 200, 320, 16, 2, 0x7C00, 0x03E0, 0x001F, 10, 5, 0, 5, 5, 5, 0x10, 0});
    EXPECT_EQ(VRX_screenbitmap.size, 320u * 200 * 2);
    EXPECT_EQ(dibinfo.bmiHeader.biBitCount, 16);
    EXPECT_EQ(VornBlit_color24to16(0xFF0000), 0x7C00u);
}

TEST_F(Video, DoublingModesFromFlags) {
    const struct {
        int32_t flags, zoom;
    } cases[] = {{0x1000, 1}, {0x2000, 2}, {0x3000, 3}, {0x4000, 4}, {0x5000, 4}, {0x7000, 4}};
    for (const auto &c : cases) {
        VRX_InitVideo(160, 120, 32, c.flags);
        EXPECT_EQ(VRX_video.zoom, c.zoom) << std::hex << c.flags;
        EXPECT_EQ(VRX_video.width, 160u);
        EXPECT_EQ(VRX_screenbitmap.width, 160);
        EXPECT_EQ(VRX_screenbitmap2.width, 320);
        EXPECT_EQ(VRX_screenbitmap2.height, 240);
        EXPECT_EQ(dibinfo.bmiHeader.biWidth, 320) << "the surface is doubled";
        EXPECT_EQ(dibinfo.bmiHeader.biHeight, 240);
    }
    VRX_InitVideo(160, 120, 32, 0);
    EXPECT_EQ(VRX_video.zoom, 0);
    EXPECT_EQ(VRX_screenbitmap2.data, nullptr) << "a set-up without doubling drops the 2x buffer";
}

TEST_F(Video, DirectModeDrawsIntoTheSurfaceUpright) {
    VRX_InitVideo(64, 48, 32, 0x100);
    EXPECT_EQ(VRX_video.flags, 0x100u);
    EXPECT_EQ(VRX_GetVideoBuffer(), dibarea);
    EXPECT_EQ(dibinfo.bmiHeader.biHeight, -48) << "top row first, so the picture is upright";
    VRX_InitVideo(64, 48, 16, 0x110);
    EXPECT_EQ(VRX_video.flags, 0x110u);
    EXPECT_EQ(VRX_GetVideoBuffer(), dibarea);
    // Doubling needs a back buffer of its own.
    VRX_InitVideo(64, 48, 32, 0x1100);
    EXPECT_EQ(VRX_video.flags, 0u);
    EXPECT_NE(VRX_GetVideoBuffer(), dibarea);
}

TEST_F(Video, DirectModeWithUnevenRowsFallsBack) {
    testing::internal::CaptureStdout();
    VRX_InitVideo(63, 10, 16, 0x110);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(VRX_video.flags, 0x10u);
    EXPECT_NE(VRX_GetVideoBuffer(), dibarea);
    EXPECT_NE(out.find("direct mode not available"), std::string::npos);
}

TEST_F(Video, FullScreenWithoutWindowFallsBackToWindowed) {
    testing::internal::CaptureStdout();
    VRX_InitVideo(64, 48, 32, 0x1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("- Couldn't switch to fullscreen, switching to windowed mode\n"),
              std::string::npos);
    EXPECT_EQ(win32_fullscreen, 0);
    EXPECT_NE(VRX_screenbitmap.data, nullptr);
}

TEST_F(Video, PageCopyFlipsRowsIntoTheSurface) {
    VRX_InitVideo(8, 4, 32, 0);
    auto *back = static_cast<uint32_t *>(VRX_screenbitmap.data);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 8; x++) back[y * 8 + x] = 0x010000u * (y + 1) + x;
    VRX_SwapBuffers();
    const auto *surface = static_cast<const uint32_t *>(dibarea);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_EQ(surface[(3 - y) * 8 + x], 0x010000u * (y + 1) + x) << x << "," << y;
    EXPECT_EQ(VRX_video_numframes, 1u);
}

TEST_F(Video, TopRowRedShowsAtTheTop) {
    VRX_InitVideo(16, 8, 32, 0);
    VRX_ClearColorBitmap(VRX_screenbitmap, 0x00FF00);
    auto *back = static_cast<uint32_t *>(VRX_screenbitmap.data);
    for (int x = 0; x < 16; x++) {
        back[x] = 0xFF0000;
        back[7 * 16 + x] = 0x0000FF;
    }
    // Onto a top-row-first bitmap section, what lands in its row 0 is what shows at the top.
    BITMAPINFO info = {};
    info.bmiHeader = BITMAPINFOHEADER{40, 16, -8, 1, 32, 0, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(target, nullptr);
    HDC context = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(context, target);
    WIN32_WndProc(nullptr, WM_SIZE, 0, (8 << 16) | 16);
    EXPECT_NE(VRX_SwapBufferHDC(context), 0);
    const auto *shown = static_cast<const uint32_t *>(bits);
    EXPECT_EQ(shown[0], 0xFF0000u);
    EXPECT_EQ(shown[15], 0xFF0000u);
    EXPECT_EQ(shown[4 * 16], 0x00FF00u);
    EXPECT_EQ(shown[7 * 16 + 3], 0x0000FFu);
    SelectObject(context, old);
    DeleteDC(context);
    DeleteObject(target);
}

TEST_F(Video, DoubledPageCopyAnd16BitOddWidth) {
    VRX_InitVideo(3, 2, 32, 0x1000);
    auto *back = static_cast<uint32_t *>(VRX_screenbitmap.data);
    for (int i = 0; i < 6; i++) back[i] = 0x100 + i;
    VRX_SwapBuffers();
    const auto *surface = static_cast<const uint32_t *>(dibarea);
    // Row 0 of the 6x4 doubled picture is the surface's last row.
    EXPECT_EQ(surface[3 * 6 + 0], 0x100u);
    EXPECT_EQ(surface[3 * 6 + 5], 0x102u);
    EXPECT_EQ(surface[0 * 6 + 2], 0x104u);

    // 16-bit rows of an odd width are padded to whole words in the surface.
    VRX_InitVideo(3, 2, 16, 0x10);
    auto *back16 = static_cast<uint16_t *>(VRX_screenbitmap.data);
    for (int i = 0; i < 6; i++) back16[i] = static_cast<uint16_t>(0x10 + i);
    VRX_SwapBuffers();
    const auto *surface16 = static_cast<const uint16_t *>(dibarea);
    EXPECT_EQ(surface16[4 + 0], 0x10u);
    EXPECT_EQ(surface16[4 + 2], 0x12u);
    EXPECT_EQ(surface16[0], 0x13u);
    EXPECT_EQ(surface16[2], 0x15u);
}

TEST_F(Video, SurfaceThatCannotBeCreatedIsNeverWritten) {
    testing::internal::CaptureStdout();
    VRX_InitVideo(100000, 100000, 32, 0);
    VRX_SwapBuffers();
    VRX_video_drawvpage32(dibarea, 0);
    VRX_InitVideo(0, 0, 32, 0x1000);
    VRX_SwapBuffers();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(dibarea, nullptr);
    EXPECT_NE(out.find("could not create the video surface"), std::string::npos);
}

TEST_F(Video, PageCopyOfTheWrongDepthDoesNothing) {
    VRX_InitVideo(8, 8, 16, 0x10);
    std::vector<uint32_t> guard(8 * 8 + 4, 0xDEADBEEF);
    VRX_video_drawvpage32(guard.data(), 0);
    EXPECT_EQ(guard[0], 0xDEADBEEFu);
    VRX_video_drawvpage16(nullptr, 0);
}

TEST_F(Video, SetColorsIndexesThePaletteByEntry) {
    std::vector<uint8_t> palette(256 * 3);
    for (size_t i = 0; i < palette.size(); i++) palette[i] = static_cast<uint8_t>(i);
    VRX_colortab[9] = VRX_colortab[12] = 7;
    VRX_SetColors(palette.data(), 2, 10);
    EXPECT_EQ(VRX_colortab[10], 0x1E1F20u);
    EXPECT_EQ(VRX_colortab[11], 0x212223u);
    EXPECT_EQ(VRX_colortab[9], 7u);
    EXPECT_EQ(VRX_colortab[12], 7u);
    // Entries past the table's 256 are cut.
    VRX_SetColors(palette.data(), 100, 250);
    EXPECT_EQ(VRX_colortab[255],
              (uint32_t{palette[765]} << 16) | (palette[766] << 8) | palette[767]);
    VRX_SetColors(palette.data(), 5, 300);
}

TEST_F(Video, SetColorsIn16BitMode) {
    VRX_InitVideo(8, 8, 16, 0x10);
    const uint8_t palette[6] = {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF};
    VRX_SetColors(palette, 2, 0);
    EXPECT_EQ(VRX_colortab[0], 0x7C00u);
    EXPECT_EQ(VRX_colortab[1], 0x001Fu);
}

TEST_F(Video, RefreshPeriods) {
    const struct {
        int32_t rate;
        uint32_t period;
    } cases[] = {{50, 20}, {60, 16}, {1000, 1}, {5000, 1}, {-35, 35}, {1, 1000}};
    for (const auto &c : cases) {
        EXPECT_EQ(VRX_SetRefreshRate(c.rate), 0);
        EXPECT_EQ(VRX_video_updatespeed, c.period) << c.rate;
    }
    VRX_SetRefreshRate(0); // no rate: the period stays
    EXPECT_EQ(VRX_video_updatespeed, 1000u);
}

TEST_F(Video, SetRefreshRateRestartsThePeriod) {
    winapi_clock_use_manual(5000);
    VRX_Initialise();
    winapi_clock_advance(300);
    VRX_SetRefreshRate(50);
    EXPECT_EQ(VRX_video_time, 300u);
}

TEST_F(Video, WaitRefreshLateFrameReturnsAtOnce) {
    winapi_clock_use_manual(1000);
    VRX_Initialise();
    VRX_InitVideo(8, 8, 32, 0);
    EXPECT_EQ(VRX_video_time, 0u) << "the first period counts from video start";
    winapi_clock_advance(45);
    EXPECT_FLOAT_EQ(VRX_WaitRefresh(), 2.25f);
    EXPECT_EQ(VRX_video_time, 45u) << "lateness is not carried over";
}

TEST_F(Video, WaitRefreshWaitsOutThePeriod) {
    winapi_clock_use_manual(0);
    VRX_Initialise();
    VRX_SetRefreshRate(50);
    winapi_clock_use_stepping(5, 1); // 5 ms after the last return, one ms per reading
    EXPECT_FLOAT_EQ(VRX_WaitRefresh(), 1.0f);
    EXPECT_GE(VRX_video_time, 20u);
    VRX_SetRefreshRate(-40);
    EXPECT_FLOAT_EQ(VRX_WaitRefresh(), 1.0f);
}

TEST_F(Video, WaitRefreshAcrossTheClockWrap) {
    winapi_clock_use_manual(0);
    VRX_timer_starttick = 0;
    VRX_SetRefreshRate(50);
    VRX_video_time = 0xFFFFFFF0u;
    winapi_clock_use_manual(0x10); // 32 ms later, past the wrap
    EXPECT_FLOAT_EQ(VRX_WaitRefresh(), 1.6f);
}

TEST_F(Video, FpsWindows) {
    winapi_clock_use_manual(0);
    VRX_Initialise();
    VRX_video_oldtime = 0;
    VRX_video_fps = 7;
    VRX_video_numframes = 0;
    for (int i = 0; i < 3; i++) VRX_SwapBuffers();
    winapi_clock_advance(500);
    EXPECT_EQ(VRX_GetFPS(), 7u);
    winapi_clock_advance(399);
    EXPECT_EQ(VRX_GetFPS(), 7u);
    winapi_clock_advance(100); // 999 ms
    EXPECT_EQ(VRX_GetFPS(), 7u);
    winapi_clock_advance(1); // 1000 ms
    EXPECT_EQ(VRX_GetFPS(), 3u);
    EXPECT_EQ(VRX_video_numframes, 0u);
    EXPECT_EQ(VRX_video_oldtime, 1000u);
    VRX_SwapBuffers();
    winapi_clock_advance(1000);
    EXPECT_EQ(VRX_GetFPS(), 1u);
}

TEST_F(Video, CloseDownReleasesTheBackBuffers) {
    VRX_InitVideo(16, 16, 32, 0x1000);
    testing::internal::CaptureStdout();
    EXPECT_EQ(VRX_CloseDown(), 1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("deleting bitmap\n"), std::string::npos);
    EXPECT_EQ(VRX_screenbitmap.data, nullptr);
    EXPECT_EQ(VRX_screenbitmap2.data, nullptr);
    EXPECT_EQ(dibarea, nullptr);
    VRX_SwapBuffers(); // nothing left to present: no effect
}
} // namespace
