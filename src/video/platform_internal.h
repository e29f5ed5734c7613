// What the portable video and input code asks of the platform layer, which implements these:
// the window, its presentation surface, presenting it, the caption and the input devices.
#pragma once
#include <cstdint>

struct HWND__;
struct HDC__;

// (Re)creates the window's presentation surface at the given size and depth; topdown 1 puts
// the surface's first row at the top of the picture.
int32_t VRX_ll_video_open(uint32_t width, uint32_t height, uint8_t bits, int32_t fullscreen,
                          int32_t topdown);
void VRX_ll_video_close();
// The surface's pixels, or null while there is none.
void *VRX_ll_video_surface();
// The library's window, or null in a process that never opened one.
HWND__ *VRX_ll_video_window();
// Shows the surface in the window: stretched to the client area when their sizes differ,
// unless fast asks for a plain 1:1 copy.
void VRX_ll_video_present(HWND__ *window, int32_t fast);
// Copies the surface 1:1 onto a device context; 0 when nothing could be copied.
int32_t VRX_ll_video_present_dc(HDC__ *context);

int32_t VRX_ll_settitle(const char *text);

uint32_t VRX_ll_input_get_keys();
uint32_t VRX_ll_input_get_keycode();
void VRX_ll_input_get_mouse_pos(int32_t *x, int32_t *y, uint32_t *buttons);
void VRX_ll_input_get_mouse_posz(int32_t *position, int32_t *direction);
void VRX_ll_input_get_mouse_area(int32_t *width, int32_t *height);
void VRX_ll_input_getjoypad(int32_t *x, int32_t *y, int32_t *z, int32_t *r, uint32_t *buttons);
int32_t VRX_ll_input_scancontrollers();
