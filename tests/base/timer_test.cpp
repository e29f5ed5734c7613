#include "hw_common/timer.h"
#include "hw_common/timer_internal.h"
#include "winapi/winapi.h"

#include <gtest/gtest.h>

class Timer : public testing::Test {
  protected:
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

TEST_F(Timer, SteppingClockAdvancesOnEveryReading) {
    winapi_clock_use_stepping(100, 5);
    EXPECT_EQ(GetTickCount(), 100u);
    EXPECT_EQ(GetTickCount(), 105u);
    EXPECT_EQ(GetTickCount(), 110u);
}

TEST_F(Timer, RealClockIsMonotonic) {
    DWORD a = GetTickCount();
    DWORD b = GetTickCount();
    EXPECT_LE(static_cast<uint32_t>(b - a), 1000u);
}
