// The hand-over of work to a UI thread: work from several threads runs on the owner, in the
// order each thread queued it, and waits get their answers; a window that is gone answers no
// one. Also runs under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "winapi/sdl_ui_thread.h"

namespace {
constexpr int POSTERS = 3, TASKS = 300;

TEST(UiThread, WorkRunsOnTheOwnerInOrder) {
    WinapiUiOwner owner;
    owner.thread = std::this_thread::get_id();
    owner.alive = 1;
    std::vector<int> ran; // owner thread only
    std::vector<std::vector<int64_t>> answers(POSTERS);
    std::atomic<int> finished{0};
    std::vector<std::thread> posters;
    for (int p = 0; p < POSTERS; p++) {
        posters.emplace_back([&, p] {
            for (int i = 0; i < TASKS; i++) {
                winapi_ui_post(&owner, [&ran, p, i] { ran.push_back(p * TASKS + i); });
                if (i % 50 == 49) {
                    auto count_mine = [&ran, p]() -> int64_t {
                        int64_t n = 0;
                        for (int v : ran) n += v / TASKS == p;
                        return n;
                    };
                    answers[p].push_back(winapi_ui_wait(&owner, count_mine, -1));
                }
            }
            finished++;
        });
    }
    // The owner's loop, as the message loop runs it.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (finished.load() < POSTERS && std::chrono::steady_clock::now() < until) {
        uint64_t seen = winapi_ui_wake_count();
        winapi_ui_run_queued();
        SDL_Event event;
        winapi_ui_idle(seen, 50, &event);
    }
    for (auto &t : posters) t.join();
    winapi_ui_run_queued();

    ASSERT_EQ(ran.size(), size_t(POSTERS * TASKS));
    std::vector<int> next(POSTERS, 0);
    for (int v : ran) EXPECT_EQ(v % TASKS, next[v / TASKS]++) << "poster " << v / TASKS;
    for (int p = 0; p < POSTERS; p++) {
        std::vector<int64_t> want;
        for (int i = 50; i <= TASKS; i += 50) want.push_back(i);
        EXPECT_EQ(answers[p], want) << "a wait sees all of its thread's earlier work done";
    }
}

// Work for a window that is gone is never run, not even when the record serves a new one.
TEST(UiThread, GoneWindowAnswersNoOne) {
    WinapiUiOwner owner;
    owner.thread = std::this_thread::get_id();
    int ran = 0;
    std::thread other([&] {
        auto start = std::chrono::steady_clock::now();
        winapi_ui_post(&owner, [&] { ran++; });
        EXPECT_EQ(winapi_ui_wait(
                      &owner, [&]() -> int64_t { return ++ran; }, -7),
                  -7);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    });
    other.join();
    owner.generation++; // the next window in the same record
    owner.alive = 1;
    winapi_ui_run_queued();
    EXPECT_EQ(ran, 0);
    std::thread late([&] { winapi_ui_post(&owner, [&] { ran++; }); });
    late.join();
    winapi_ui_forget(&owner);
    winapi_ui_run_queued();
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(winapi_ui_wait(
                  nullptr, []() -> int64_t { return 1; }, -3),
              -3);
}
} // namespace
