// The virtual clock behind GetTickCount for tests. The stand-in's GetTickCount reads through
// it; on Windows the test programs' support file includes it and puts it in front of the
// system's.
#include <atomic>

#include "winapi/tick.h"

namespace {
enum ClockMode : uint32_t { REAL, MANUAL, STEPPING };
std::atomic<uint32_t> clock_mode{REAL};
std::atomic<uint32_t> virtual_now{0};
std::atomic<uint32_t> virtual_step{0};
} // namespace

DWORD winapi_clock_read(DWORD (*real)()) {
    switch (clock_mode.load(std::memory_order_relaxed)) {
    case MANUAL:
        return virtual_now.load(std::memory_order_relaxed);
    case STEPPING:
        return virtual_now.fetch_add(virtual_step.load(std::memory_order_relaxed),
                                     std::memory_order_relaxed);
    default:
        return real();
    }
}

void winapi_clock_use_real() {
    clock_mode.store(REAL, std::memory_order_relaxed);
}

void winapi_clock_use_manual(uint32_t start) {
    virtual_now.store(start, std::memory_order_relaxed);
    clock_mode.store(MANUAL, std::memory_order_relaxed);
}

void winapi_clock_use_stepping(uint32_t start, uint32_t step) {
    virtual_now.store(start, std::memory_order_relaxed);
    virtual_step.store(step, std::memory_order_relaxed);
    clock_mode.store(STEPPING, std::memory_order_relaxed);
}

void winapi_clock_advance(uint32_t ms) {
    virtual_now.fetch_add(ms, std::memory_order_relaxed);
}
