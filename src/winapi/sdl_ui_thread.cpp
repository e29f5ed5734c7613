// The UI-thread hand-over: a queue of work per owning thread, and the wake-up.
#include "winapi/sdl_ui_thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace {
struct Task {
    WinapiUiOwner *owner;
    uint32_t generation;
    std::function<void()> work;
};
std::mutex task_lock;
std::deque<Task> tasks;

// The answer of work waited for; it never comes when the work is dropped.
struct Answer {
    std::mutex lock;
    std::condition_variable ready;
    bool done = false;
    int64_t value = 0;
};

std::mutex wake_lock;
std::condition_variable wake_cv;
uint64_t wake_count = 0;
std::atomic<uint32_t> wake_type{0};
// One wake event in SDL's queue at a time is enough to end a wait.
std::atomic<uint32_t> wake_event_pending{0};

void queue(WinapiUiOwner *owner, std::function<void()> work) {
    {
        std::lock_guard<std::mutex> guard(task_lock);
        tasks.push_back(
            Task{owner, owner->generation.load(std::memory_order_relaxed), std::move(work)});
    }
    winapi_ui_wake();
}
} // namespace

bool winapi_ui_on_owner(const WinapiUiOwner *owner) {
    return owner->thread == std::this_thread::get_id();
}

void winapi_ui_post(WinapiUiOwner *owner, std::function<void()> work) {
    if (!owner) return;
    if (winapi_ui_on_owner(owner))
        work();
    else
        queue(owner, std::move(work));
}

int64_t winapi_ui_wait(WinapiUiOwner *owner, std::function<int64_t()> work, int64_t failed) {
    if (!owner) return failed;
    if (winapi_ui_on_owner(owner)) return work();
    auto answer = std::make_shared<Answer>();
    queue(owner, [answer, work = std::move(work)] {
        int64_t value = work();
        std::lock_guard<std::mutex> guard(answer->lock);
        answer->value = value;
        answer->done = true;
        answer->ready.notify_all();
    });
    // A UI thread that has left its loop never answers; the caller goes on without the result.
    std::unique_lock<std::mutex> lock(answer->lock);
    for (int i = 0; i < 100; i++) {
        if (answer->ready.wait_for(lock, std::chrono::milliseconds(10),
                                   [&] { return answer->done; }))
            return answer->value;
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
    for (auto &t : mine)
        if (t.generation == t.owner->generation.load(std::memory_order_relaxed)) t.work();
}

void winapi_ui_forget(WinapiUiOwner *owner) {
    std::deque<Task> dropped; // destroyed outside the lock
    std::lock_guard<std::mutex> guard(task_lock);
    for (auto it = tasks.begin(); it != tasks.end();) {
        if (it->owner == owner) {
            dropped.push_back(std::move(*it));
            it = tasks.erase(it);
        } else {
            ++it;
        }
    }
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
    if (wake_type.load(std::memory_order_acquire))
        return SDL_WaitEventTimeout(event, timeout_ms) && !winapi_ui_consume_wake(*event);
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
