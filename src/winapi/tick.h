// Millisecond tick source (stand-in for GetTickCount), with a virtual clock for tests.
#pragma once
#include <cstdint>

typedef uint32_t DWORD;

// Milliseconds from a monotonic clock; wraps after 2^32 ms.
DWORD GetTickCount();

// Test hooks. A manual clock moves only through winapi_clock_advance; a stepping clock
// advances by `step` after every reading, so busy waits on it end at once.
void winapi_clock_use_real();
void winapi_clock_use_manual(uint32_t start);
void winapi_clock_use_stepping(uint32_t start, uint32_t step);
void winapi_clock_advance(uint32_t ms);
