// Shared set-up for the handheld tests: a real back buffer, a virtual clock and the key table.
#pragma once
#include "game/tintfall.h"
#include "graphics/bitmap.h"
#include "hw_common/timer.h"
#include "video/input.h"
#include "video/input_internal.h"
#include "video/video.h"
#include "winapi/winapi.h"

#include <gtest/gtest.h>

#include <string>

// Virtual-key codes of the handheld's keys.
enum : uint32_t {
    KEY_B = 17,
    KEY_A = 32,
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40
};

class Handheld : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!VRX_screenbitmap.data) VRX_InitVideo(640, 480, 32, 0);
    }
    void SetUp() override {
        // Every reading moves the clock a full second on, so each busy wait ends at its next read.
        winapi_clock_use_stepping(5000, 1000);
        release_all_keys();
        GlowbyJr();
        ClearSlate();
        InitColors();
        lastButtonState = 0;
    }
    void TearDown() override {
        release_all_keys();
        winapi_clock_use_real();
    }

    static void hold(uint32_t vk) { VRX_keys[vk].store(1, std::memory_order_relaxed); }
    static void release(uint32_t vk) { VRX_keys[vk].store(0, std::memory_order_relaxed); }
    static void release_all_keys() {
        for (uint32_t vk = 0; vk < 256; vk++) release(vk);
    }
    // Screen pixel as 0xRRGGBB; disc_at reads the centre of LED (x, y), row 0 at the bottom.
    static uint32_t screen_at(int32_t x, int32_t y) {
        return vrx_row32(VRX_screenbitmap, y)[x] & 0xFFFFFFu;
    }
    static uint32_t disc_at(int32_t x, int32_t y) { return screen_at(206 + 31 * x, 356 - 31 * y); }
    // The slate in game rows, top row first: '.' for 0, otherwise 'a' + index - 1.
    static std::string slate_text() {
        std::string s;
        for (uint8_t y = 0; y < 8; y++)
            for (uint8_t x = 0; x < 8; x++)
                s += ReadPixel(x, y) ? char('a' + ReadPixel(x, y) - 1) : '.';
        return s;
    }
    static std::string row_text(int32_t y) { return slate_text().substr(8 * y, 8); }
    inline static const std::string blank_slate = std::string(64, '.');
};
