#include "base/memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <malloc.h>

#ifdef _WIN32
#define malloc_usable_size _msize
#endif

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(TrackedMemory, CountsUsableSizeAndKeepsPeak) {
    uint32_t before = g_mem_in_use;
    void *block = _wrap_malloc_dbg(10, "base/test.cpp", 1);
    ASSERT_NE(block, nullptr);
    uint32_t usable = static_cast<uint32_t>(malloc_usable_size(block));
    EXPECT_GE(usable, 10u);
    EXPECT_EQ(g_mem_in_use, before + usable);
    EXPECT_GE(g_mem_in_use_peak, g_mem_in_use);
    uint32_t peak = g_mem_in_use_peak;
    _wrap_free_dbg(block, "base/test.cpp", 2);
    EXPECT_EQ(g_mem_in_use, before);
    EXPECT_EQ(g_mem_in_use_peak, peak);
    CaptureStdout();
    wrap_showusage();
    EXPECT_EQ(GetCapturedStdout(), "memory usage: " + std::to_string(before) +
                                       " (peak: " + std::to_string(peak) + ")\n");
}

TEST(TrackedMemory, FailureAndNullFreeReportWithCallSite) {
    uint32_t before = g_mem_in_use;
    vrx_memory_fail_next(1);
    CaptureStdout();
    void *block = _wrap_malloc_dbg(0xFFFFFFF0u, "sound/soundsystem.cpp", 77);
    _wrap_free_dbg(nullptr, "graphics/sprite.cpp", 12);
    std::string out = GetCapturedStdout();
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(g_mem_in_use, before);
    EXPECT_EQ(out, "sound/soundsystem.cpp(77): wrap_malloc(4294967280) failed!\n"
                   "graphics/sprite.cpp(12): wrap_free() tried to free a NULL pointer!\n");
}
