// The Windows layer: window, messages and threads; presentation surface; input devices.
#pragma once
#include <atomic>
#include <cstdint>

#include "winapi/winapi.h"

// --- window, messages and threads ---
// The framed window the layer opens (the overlapped-window bits plus 0x0008), and the bare
// pop-up of full-screen mode, which is also written as the extended style.
constexpr DWORD WIN32_STYLE_WINDOWED = WS_OVERLAPPEDWINDOW | 0x0008;
constexpr DWORD WIN32_STYLE_FULLSCREEN = WS_POPUP | WS_VISIBLE;
extern std::atomic<HWND> winhandle;
extern HINSTANCE instancehandle;
extern HANDLE threadhandle;
extern WNDCLASSA wc;
extern char VRX_ID[256];
extern int32_t WIN32_BORDERX, WIN32_BORDERBOTTOM, WIN32_BORDERTOP;
// Client size from the last size message (window thread writes, logic thread reads).
extern std::atomic<uint32_t> windowwidth, windowheight;
extern int32_t win32_fullscreen;
extern std::atomic<uint32_t> exitflag;
extern std::atomic<uint32_t> appactive;

// Shutdown: the logic thread is asked to stop at its next present, where it holds no lock of
// the system's, and is terminated there (or wherever it is once a short wait has passed).
// Terminated inside a GDI call it could leave a lock held that the window's own clean-up then
// waits on for ever.
extern std::atomic<uint32_t> win32_closing, win32_parked;
void win32_park_if_closing();
void win32_stoplogicthread(HANDLE thread);

LRESULT CALLBACK WIN32_WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The logic thread's body: the library around the application's vornmain (entry library).
DWORD WINAPI win32_main(LPVOID parameter);
void win32_initwindow(uint32_t width, int32_t height, int32_t fullscreen);
void win32_closewindow();

// --- presentation surface ---
extern BITMAPINFO dibinfo;
extern HBITMAP DIBHandle;
extern void *dibarea;
extern HDRAWDIB drawdib;
// 1: create the surface top row first (direct mode shows upright that way).
extern int32_t win32_dibtopdown;

int32_t win32_initvideo(uint32_t width, uint32_t height, uint8_t bits, int32_t fullscreen);
void win32_closevideo();
void win32_flippage(HWND window);
void win32_fastflippage(HWND window);
int32_t win32_flippageHDC(HDC context);

// --- input devices ---
int32_t win32_initjoystick();
void win32_checkjoystick(int32_t number, int32_t *x, int32_t *y, int32_t *z, int32_t *r,
                         uint32_t *buttons);
void win32_initinput();
void win32_closeinput();
