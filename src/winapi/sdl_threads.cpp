// SDL stand-in: module handle, threads and sleeping.
#include "winapi/user.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {
struct ThreadRecord {
    std::atomic<uint32_t> abandoned{0};
};
int module_token;
} // namespace

HMODULE GetModuleHandleA(LPCSTR name) {
    return name ? nullptr : reinterpret_cast<HMODULE>(&module_token);
}

HANDLE CreateThread(void *, size_t, LPTHREAD_START_ROUTINE start, LPVOID param, DWORD,
                    DWORD *threadid) {
    if (!start) return nullptr;
    std::thread worker([start, param] { start(param); });
    if (threadid) *threadid = 0;
    worker.detach();
    return new ThreadRecord;
}

// A thread cannot be stopped from outside portably. It is left running; the process entry
// ends the process once the window side has finished, without waiting for it.
BOOL TerminateThread(HANDLE thread, DWORD) {
    auto *record = static_cast<ThreadRecord *>(thread);
    if (!record) return FALSE;
    record->abandoned.store(1, std::memory_order_relaxed);
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    delete static_cast<ThreadRecord *>(handle);
    return handle != nullptr;
}

void Sleep(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
