// The logic thread's body: the library around the application's main function. Linked with
// the process entry (main and WinMain), apart from the library itself.
#include "hw_win32/win32.h"
#include "vrx_library.h"

DWORD WINAPI win32_main(LPVOID) {
    VRX_Initialise();
    vornmain();
    VRX_CloseDown();
    exitflag.store(1, std::memory_order_relaxed);
    PostMessageA(winhandle.load(std::memory_order_relaxed), WM_QUIT, 0, 0);
    return 1;
}
