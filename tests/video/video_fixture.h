// Shared set-up for the video group: clean input tables, the real clock, and video closed
// quietly afterwards. Without a window of its own a test presents to no window.
#pragma once
#include <gtest/gtest.h>

#include "vrx_library.h"
#include "hw_win32/win32.h"
#include "video/input.h"
#include "video/input_internal.h"
#include "video/video.h"
#include "winapi/standin.h"
#include "winapi/winapi.h"

class VideoGroup : public ::testing::Test {
  protected:
    void SetUp() override {
        winapi_discard_messages();
        winapi_clock_use_real();
        for (auto &k : VRX_keys) k.store(0);
        g_keycode = 0;
        g_mouse_buttons = 0;
        g_mouse_z = 0;
        g_mouse_zdir = 0;
        VRX_input_prevkeycode = 0;
        VRX_Initialise();
    }
    void TearDown() override {
        testing::internal::CaptureStdout();
        VRX_CloseVideo();
        testing::internal::GetCapturedStdout();
        winapi_discard_messages();
        winapi_clock_use_real();
    }
};
