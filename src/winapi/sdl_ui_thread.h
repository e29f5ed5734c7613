// Handing work to a window's UI thread, and waking that thread. SDL's video calls may only be
// made on the thread that created the window; other threads queue their work here.
#pragma once
#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

// The thread that serves a window, and whether the window still exists. A record may serve
// one window after another; generation tells them apart, so work queued for a window that is
// gone never runs on the next.
struct WinapiUiOwner {
    std::thread::id thread;
    std::atomic<uint32_t> alive{0};
    std::atomic<uint32_t> generation{0};
};

bool winapi_ui_on_owner(const WinapiUiOwner *owner);

// Runs work on the owner's thread: at once when called there, otherwise queued for its message
// loop. winapi_ui_wait waits for the result (up to a second) and gives `failed` when the window
// is gone or its thread does not answer.
void winapi_ui_post(WinapiUiOwner *owner, std::function<void()> work);
int64_t winapi_ui_wait(WinapiUiOwner *owner, std::function<int64_t()> work, int64_t failed);
// UI thread: runs the work queued for this thread, in the order it was queued.
void winapi_ui_run_queued();
// Drops the work queued for the owner (its window is gone); waits for it give up.
void winapi_ui_forget(WinapiUiOwner *owner);

// Wakes every UI thread waiting in winapi_ui_idle. Once SDL's video runs, the wake is also an
// SDL event, so that a thread waiting for SDL events sees it.
void winapi_ui_wake();
void winapi_ui_use_wake_event(uint32_t type);
uint64_t winapi_ui_wake_count();
// UI thread: waits until a wake after `seen`, an SDL event (stored in *event, result true) or
// the timeout. Wake events are consumed, never returned.
bool winapi_ui_idle(uint64_t seen, int32_t timeout_ms, SDL_Event *event);
// UI thread: true (and the event is spent) when an event taken from SDL's queue is a wake.
bool winapi_ui_consume_wake(const SDL_Event &event);
