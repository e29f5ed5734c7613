// Video set-up, page copies and pacing, presenting to no window.
#include <cstring>
#include <vector>

#include "hw_common/timer.h"
#include "video_fixture.h"

namespace {
using Video = VideoGroup;

// The pixel format of each depth: bpp, bytes per pixel, masks, shifts and channel widths.
const std::vector<uint32_t> FORMAT[2] = {{32, 4, 0xFF0000, 0xFF00, 0xFF, 16, 8, 0, 8, 8, 8},
                                         {16, 2, 0x7C00, 0x03E0, 0x001F, 10, 5, 0, 5, 5, 5}};

TEST_F(Video, InitVideoRecordPerFlags) {
    const struct {
        uint32_t w, h;
        int32_t bpp, flags;
        uint32_t mode16, flags_field, zoom, direct;
        int32_t dib_w, dib_h; // the surface: a negative height is top row first
    } cases[] = {
        {640, 480, 32, 0, 0, 0, 0, 0, 640, 480},
        {640, 480, 16, 0, 0, 0, 0, 0, 640, 480},    // 16-bit only with the flag
        {640, 480, 32, 0x10, 0, 0, 0, 0, 640, 480}, // and not with bpp 32
        {320, 200, 16, 0x10, 1, 0x10, 0, 0, 320, 200},
        {160, 120, 32, 0x1000, 0, 0, 1, 0, 320, 240},
        {160, 120, 32, 0x2000, 0, 0, 2, 0, 320, 240},
        {160, 120, 32, 0x3000, 0, 0, 3, 0, 320, 240},
        {160, 120, 32, 0x5000, 0, 0, 4, 0, 320, 240},
        {64, 48, 32, 0x100, 0, 0x100, 0, 1, 64, -48},
        {64, 48, 16, 0x110, 1, 0x110, 0, 1, 64, -48},
        {64, 48, 32, 0x1100, 0, 0, 1, 0, 128, 96},  // doubling needs its own buffer
        {63, 10, 16, 0x110, 1, 0x10, 0, 0, 63, 10}, // uneven rows: a back buffer, flipped
        {64, 48, 32, 0x1, 0, 0, 0, 0, 64, 48},      // no full screen without a window
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " " << c.bpp << " " << c.flags);
        VRX_video_updatespeed = 7;
        testing::internal::CaptureStdout();
        EXPECT_EQ(VRX_InitVideo(c.w, c.h, c.bpp, c.flags), 1);
        EXPECT_EQ(testing::internal::GetCapturedStdout().find(
                      "- Couldn't switch to fullscreen, switching to windowed mode\n") !=
                      std::string::npos,
                  c.flags == 1);
        const VRX_VideoState &v = VRX_video;
        EXPECT_EQ(std::vector<uint32_t>({v.bpp, v.bytesperpixel, v.redmask, v.greenmask, v.bluemask,
                                         v.redshift, v.greenshift, v.blueshift, v.redbits,
                                         v.greenbits, v.bluebits}),
                  FORMAT[c.mode16]);
        EXPECT_EQ(std::vector<uint32_t>({v.width, v.height, v.pitch, v.flags, uint32_t(v.zoom)}),
                  std::vector<uint32_t>({c.w, c.h, c.w, c.flags_field, c.zoom}));
        EXPECT_EQ(VRX_screenbitmap.size, c.w * c.h * (c.mode16 ? 2 : 4));
        EXPECT_EQ(VRX_GetVideoBuffer(), c.direct ? dibarea : VRX_screenbitmap.data);
        EXPECT_NE(VRX_screenbitmap.data, nullptr);
        EXPECT_EQ(VRX_screenbitmap2.data ? VRX_screenbitmap2.width : 0, c.zoom ? 2 * c.w : 0);
        EXPECT_EQ(std::vector<int32_t>({dibinfo.bmiHeader.biWidth, dibinfo.bmiHeader.biHeight,
                                        dibinfo.bmiHeader.biBitCount}),
                  std::vector<int32_t>({c.dib_w, c.dib_h, c.mode16 ? 16 : 32}));
        EXPECT_EQ(VRX_video_updatespeed, 20u);
        EXPECT_EQ(VRX_video_numframes, 0u);
    }
}

TEST_F(Video, PresentWithoutWindowFlipsRowsIntoTheSurface) {
    const struct {
        uint32_t w, h;
        int32_t bpp, flags;
    } cases[] = {{8, 4, 32, 0}, {3, 2, 32, 0x1000}, {3, 2, 16, 0x10}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " flags " << c.flags);
        VRX_InitVideo(c.w, c.h, c.bpp, c.flags);
        auto *back = static_cast<uint8_t *>(VRX_screenbitmap.data);
        for (uint32_t i = 0; i < VRX_screenbitmap.size; i++) back[i] = uint8_t(i * 7 + 1);
        VRX_SwapBuffers();
        EXPECT_EQ(VRX_video_numframes, 1u);
        // The doubled picture is copied when there is one; rows are padded to whole words.
        const VRX_Bitmap &src = c.flags & 0x1000 ? VRX_screenbitmap2 : VRX_screenbitmap;
        size_t row = size_t(src.width) * (c.bpp / 8), stride = (row + 3) & ~size_t{3};
        const auto *last = static_cast<const uint8_t *>(dibarea) + (src.height - 1) * stride;
        EXPECT_EQ(0, memcmp(last, back, c.bpp / 8)) << "the top left pixel";
        for (int32_t y = 0; y < src.height; y++)
            EXPECT_EQ(0, memcmp(last - y * stride, static_cast<uint8_t *>(src.data) + y * row, row))
                << "row " << y;
    }
}

TEST_F(Video, SurfaceThatCannotBeCreatedIsNeverWritten) {
    testing::internal::CaptureStdout();
    VRX_InitVideo(100000, 100000, 32, 0);
    VRX_SwapBuffers();
    VRX_video_drawvpage32(dibarea, 0);
    VRX_InitVideo(0, 0, 32, 0x1000);
    VRX_SwapBuffers();
    EXPECT_NE(testing::internal::GetCapturedStdout().find("could not create the video surface"),
              std::string::npos);
    EXPECT_EQ(dibarea, nullptr);
    // A page copy of the other depth would write twice the surface's bytes.
    VRX_InitVideo(8, 8, 16, 0x10);
    std::vector<uint32_t> guard(8 * 8, 0xDEADBEEF);
    VRX_video_drawvpage32(guard.data(), 0);
    EXPECT_EQ(guard[0], 0xDEADBEEFu);
}

TEST_F(Video, RefreshPeriodsCountFromNow) {
    const int32_t cases[][2] = {{50, 20}, {60, 16}, {1000, 1}, {5000, 1}, {-35, 35}, {1, 1000}};
    winapi_clock_use_manual(5000);
    VRX_Initialise();
    for (const auto &c : cases) {
        winapi_clock_advance(300);
        EXPECT_EQ(VRX_SetRefreshRate(c[0]), 0);
        EXPECT_EQ(VRX_video_updatespeed, uint32_t(c[1])) << c[0];
        EXPECT_EQ(VRX_video_time, VRX_timer_getmillis());
    }
}

TEST_F(Video, WaitRefreshRatio) {
    winapi_clock_use_manual(1000);
    VRX_Initialise();
    VRX_InitVideo(8, 8, 32, 0);
    EXPECT_EQ(VRX_video_time, 0u) << "the first period counts from video start";
    winapi_clock_advance(45);
    EXPECT_FLOAT_EQ(VRX_WaitRefresh(), 2.25f) << "late: at once";
    EXPECT_EQ(VRX_video_time, 45u) << "lateness is not carried over";
    winapi_clock_use_stepping(1050, 1); // 5 ms after the last return, one ms per reading
    EXPECT_FLOAT_EQ(VRX_WaitRefresh(), 1.0f);
    EXPECT_GE(VRX_video_time, 65u);
    VRX_timer_starttick = 0; // 32 ms, across the clock's wrap
    VRX_video_time = 0xFFFFFFF0u;
    winapi_clock_use_manual(0x10);
    EXPECT_FLOAT_EQ(VRX_WaitRefresh(), 1.6f);
}

TEST_F(Video, FpsWindows) {
    winapi_clock_use_manual(0);
    VRX_Initialise();
    VRX_video_oldtime = 0;
    VRX_video_fps = 7;
    VRX_video_numframes = 0;
    for (int i = 0; i < 3; i++) VRX_SwapBuffers();
    // The old value at 500, 900 and 999 ms; the count since at 1000 ms, and a new count.
    for (uint32_t step : {500, 400, 99}) {
        winapi_clock_advance(step);
        EXPECT_EQ(VRX_GetFPS(), 7u);
    }
    winapi_clock_advance(1);
    EXPECT_EQ(VRX_GetFPS(), 3u);
    VRX_SwapBuffers();
    winapi_clock_advance(1000);
    EXPECT_EQ(VRX_GetFPS(), 1u);
}

// Entry i comes from palette bytes 3i to 3i + 2 (the palette is not read from 0), in the
// screen's depth; entries around the range keep their values.
TEST_F(Video, SetColorsTakesEachEntryFromItsOwnBytes) {
    uint8_t palette[36];
    for (int i = 0; i < 36; i++) palette[i] = uint8_t(i * 8);
    const struct {
        int32_t bpp, flags;
        uint32_t e10, e11;
    } depths[] = {{32, 0, 0xF0F800, 0x081018}, {16, 0x10, 0x7BE0, 0x0443}};
    for (const auto &d : depths) {
        VRX_InitVideo(4, 4, d.bpp, d.flags);
        VRX_colortab[9] = VRX_colortab[12] = 7;
        VRX_SetColors(palette, 2, 10);
        EXPECT_EQ(std::vector<uint32_t>(VRX_colortab + 9, VRX_colortab + 13),
                  std::vector<uint32_t>({7, d.e10, d.e11, 7}));
    }
}

// Closing the video deletes the back buffer and, when the screen is doubled, its doubled copy.
TEST_F(Video, CloseVideoDeletesEachScreenBitmap) {
    for (int32_t flags : {0, 0x1000}) {
        VRX_InitVideo(8, 8, 32, flags);
        testing::internal::CaptureStdout();
        VRX_CloseVideo();
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  flags ? "deleting bitmap\ndeleting bitmap\n" : "deleting bitmap\n");
        EXPECT_EQ(VRX_screenbitmap.data, nullptr);
        EXPECT_EQ(VRX_screenbitmap2.data, nullptr);
    }
}
} // namespace
