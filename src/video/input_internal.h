// Input state the window thread writes and the logic thread reads. The portable side owns it;
// the platform layer fills it from window messages and device polls.
#pragma once
#include <atomic>
#include <cstdint>

extern std::atomic<uint32_t> VRX_keys[256];
extern std::atomic<uint32_t> g_keycode;
extern std::atomic<uint32_t> g_mouse_buttons;
extern std::atomic<int32_t> g_mouse_z;
extern std::atomic<int32_t> g_mouse_zdir;
extern std::atomic<uint32_t> VRX_input_prevkeycode;

// Logic thread only.
extern uint32_t g_key_input;
extern int32_t g_mouse_x, g_mouse_y, g_mouse_xofs, g_mouse_yofs, g_mouse_w, g_mouse_h;
