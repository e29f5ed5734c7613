// The UI-thread hand-over: a queue of work per owning thread, and the wake-up.
#include "winapi/sdl_ui_thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <memory>
#include <mutex>

namespace {
struct Task {
    WinapiUiOwner *owner;
    std::function<void()> work;
};
std::mutex task_lock;
std::deque<Task> tasks;

std::mutex wake_lock;
std::condition_variable wake_cv;
uint64_t wake_count = 0;
std::atomic<uint32_t> wake_type{0};
// One wake event in SDL's queue at a time is enough to end a wait.
std::atomic<uint32_t> wake_event_pending{0};
} // namespace

bool winapi_ui_on_owner(const WinapiUiOwner *owner) {
    return owner->thread == std::this_thread::get_id();
}

void winapi_ui_post(WinapiUiOwner *owner, std::function<void()> work) {
    if (!owner) return;
    if (winapi_ui_on_owner(owner)) {
        work();
        return;
    }
    {
        std::lock_guard<std::mutex> guard(task_lock);
        tasks.push_back(Task{owner, std::move(work)});
    }
    winapi_ui_wake();
}

int64_t winapi_ui_wait(WinapiUiOwner *owner, std::function<int64_t()> work, int64_t failed) {
    if (!owner) return failed;
    if (winapi_ui_on_owner(owner)) return work();
    auto job = std::make_shared<std::packaged_task<int64_t()>>(std::move(work));
    std::future<int64_t> result = job->get_future();
    {
        std::lock_guard<std::mutex> guard(task_lock);
        tasks.push_back(Task{owner, [job] { (*job)(); }});
    }
    winapi_ui_wake();
    // A UI thread that has left its loop never answers; the caller goes on without the result.
    for (int i = 0; i < 100; i++) {
        if (result.wait_for(std::chrono::milliseconds(10)) == std::future_status::ready)
            return result.get();
        if (!owner->alive.load(std::memory_order_acquire)) return failed;
    }
    return failed;
}

void winapi_ui_run_queued() {
    std::deque<Task> mine;
    {
        std::lock_guard<std::mutex> guard(task_lock);
        for (auto it = tasks.begin(); it != tasks.end();) {
            if (winapi_ui_on_owner(it->owner)) {
                mine.push_back(std::move(*it));
                it = tasks.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto &t : mine) t.work();
}

void winapi_ui_wake() {
    {
        std::lock_guard<std::mutex> guard(wake_lock);
        wake_count++;
    }
    wake_cv.notify_all();
    uint32_t type = wake_type.load(std::memory_order_acquire);
    if (type && !wake_event_pending.exchange(1, std::memory_order_relaxed)) {
        SDL_Event event{};
        event.type = type;
        if (SDL_PushEvent(&event) != 1) wake_event_pending.store(0, std::memory_order_relaxed);
    }
}

void winapi_ui_use_wake_event(uint32_t type) {
    wake_type.store(type, std::memory_order_release);
}

uint64_t winapi_ui_wake_count() {
    std::lock_guard<std::mutex> guard(wake_lock);
    return wake_count;
}

bool winapi_ui_idle(uint64_t seen, int32_t timeout_ms, SDL_Event *event) {
    uint32_t type = wake_type.load(std::memory_order_acquire);
    if (type) {
        return SDL_WaitEventTimeout(event, timeout_ms) && !winapi_ui_consume_wake(*event);
    }
    std::unique_lock<std::mutex> lock(wake_lock);
    wake_cv.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                     [&] { return wake_count != seen; });
    return false;
}

bool winapi_ui_consume_wake(const SDL_Event &event) {
    uint32_t type = wake_type.load(std::memory_order_acquire);
    if (!type || event.type != type) return false;
    wake_event_pending.store(0, std::memory_order_relaxed);
    return true;
}
