#include "base/block.h"
#include "base/dbg.h"
#include "base/memory.h"
#include "base/memory_internal.h"
#include "base/text.h"
#include "hw_common/timer.h"
#include "hw_common/timer_internal.h"
#include "winapi/winapi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <malloc.h>
#include <string>
#include <unistd.h>

using namespace std::string_literals;

#ifdef _WIN32
#define malloc_usable_size _msize
#endif

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(Blocks, SetClearAndCopyWriteExactlyTheirCounts) {
    unsigned char buf[10];
    std::memset(buf, 0xEE, sizeof buf);
    wrap_memset(buf + 1, 0x5A, 6);
    wrap_memclr(buf + 8, 1);
    EXPECT_EQ(std::string(buf, buf + 10), "\xEE\x5A\x5A\x5A\x5A\x5A\x5A\xEE\0\xEE"s);
    char dst[9] = "........";
    wrap_memcpy(dst, "abcdefgh", 0);
    EXPECT_STREQ(dst, "........");
    wrap_memcpy(dst, "abcdefgh", 7);
    EXPECT_STREQ(dst, "abcdefg.");
    uint16_t s16[3] = {1, 2, 3}, d16[3] = {};
    uint32_t s32[3] = {7, 8, 9}, d32[3] = {};
    wrap_memcpy16(d16, s16, 2);
    wrap_memcpy32(d32, s32, 3);
    EXPECT_EQ(d16[1] * 100 + d16[2], 200);
    EXPECT_EQ(d32[2], 9u);
}

TEST(Text, UpcaseTouchesOnlyAsciiLowerCase) {
    char mixed[] = ".tga1_z{\xe9}`";
    EXPECT_EQ(upcase(mixed), mixed);
    EXPECT_STREQ(mixed, ".TGA1_Z{\xe9}`");
}

TEST(DiagnosticsDeathTest, AssertPrintsAndExitsWithOne) {
    // The message goes to standard output; route it to stderr so the death test can see it.
    EXPECT_EXIT((dup2(2, 1), _dbg_assert("graphics/bitmap.cpp", 42, "src.data")),
                testing::ExitedWithCode(1),
                "graphics/bitmap.cpp\\(42\\): assertion failed: src.data");
}

TEST(TrackedMemory, CountsUsableSizeKeepsPeakAndReportsFailures) {
    const uint32_t before = g_mem_in_use;
    void *block = _wrap_malloc_dbg(10, "base/test.cpp", 1);
    ASSERT_NE(block, nullptr);
    const uint32_t usable = static_cast<uint32_t>(malloc_usable_size(block));
    EXPECT_GE(usable, 10u);
    EXPECT_EQ(g_mem_in_use, before + usable);
    EXPECT_GE(g_mem_in_use_peak, g_mem_in_use);
    const uint32_t peak = g_mem_in_use_peak;
    _wrap_free_dbg(block, "base/test.cpp", 2);
    EXPECT_EQ(g_mem_in_use, before);
    EXPECT_EQ(g_mem_in_use_peak, peak);
    vrx_memory_fail_next(1);
    CaptureStdout();
    EXPECT_EQ(_wrap_malloc_dbg(0xFFFFFFF0u, "sound/soundsystem.cpp", 77), nullptr);
    _wrap_free_dbg(nullptr, "graphics/sprite.cpp", 12);
    wrap_showusage();
    EXPECT_EQ(GetCapturedStdout(),
              "sound/soundsystem.cpp(77): wrap_malloc(4294967280) failed!\n"
              "graphics/sprite.cpp(12): wrap_free() tried to free a NULL pointer!\n"
              "memory usage: " +
                  std::to_string(before) + " (peak: " + std::to_string(peak) + ")\n");
    EXPECT_EQ(g_mem_in_use, before);
}

struct Timer : testing::Test {
    void TearDown() override { winapi_clock_use_real(); }
};

TEST_F(Timer, CountsFromStartTickAcrossWrap) {
    winapi_clock_use_manual(0xFFFFFFF0u);
    VRX_timer_starttick = VRX_ll_timer_get_ticks();
    EXPECT_EQ(VRX_timer_getmillis(), 0u);
    winapi_clock_advance(0x20);
    EXPECT_EQ(VRX_ll_timer_get_ticks(), 0x10u);
    EXPECT_EQ(VRX_timer_getmillis(), 0x20u);
}

TEST_F(Timer, SteppingAndRealClocks) {
    const DWORD a = GetTickCount(), b = GetTickCount(); // real: monotonic
    EXPECT_LE(static_cast<uint32_t>(b - a), 1000u);
    winapi_clock_use_stepping(100, 5); // advances on every reading
    EXPECT_EQ(GetTickCount(), 100u);
    EXPECT_EQ(GetTickCount(), 105u);
}
