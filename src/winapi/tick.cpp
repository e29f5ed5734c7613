#include "winapi/tick.h"

#include <chrono>

namespace {
DWORD monotonic_ms() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<DWORD>(static_cast<uint64_t>(ms));
}
} // namespace

DWORD GetTickCount() {
    return winapi_clock_read(monotonic_ms);
}
