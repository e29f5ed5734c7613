// Globals of the window layer.
#include "hw_win32/win32.h"

std::atomic<HWND> winhandle{nullptr};
HINSTANCE instancehandle = nullptr;
HANDLE threadhandle = nullptr;
WNDCLASSA wc = {};
char VRX_ID[256] = "VRX: ";
int32_t WIN32_BORDERX = 4, WIN32_BORDERBOTTOM = 4, WIN32_BORDERTOP = 23;
std::atomic<uint32_t> windowwidth{0}, windowheight{0};
int32_t win32_fullscreen = 0;
std::atomic<uint32_t> exitflag{0};
std::atomic<uint32_t> appactive{0};
std::atomic<uint32_t> win32_closing{0}, win32_parked{0};
