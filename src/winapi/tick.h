// Millisecond tick source (GetTickCount), with a virtual clock for tests.
#pragma once
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
typedef uint32_t DWORD;

// Milliseconds from a monotonic clock; wraps after 2^32 ms.
DWORD GetTickCount();
#endif

// Test hooks. A manual clock moves only through winapi_clock_advance; a stepping clock
// advances by `step` after every reading, so busy waits on it end at once. On Windows the
// test programs' support code takes them in (virtual_clock.cpp) in front of the system's.
void winapi_clock_use_real();
void winapi_clock_use_manual(uint32_t start);
void winapi_clock_use_stepping(uint32_t start, uint32_t step);
void winapi_clock_advance(uint32_t ms);
// The clock's reading: `real` is asked only while the clock is real.
DWORD winapi_clock_read(DWORD (*real)());
