// The process entry. Without WinMain from the system it starts the display and hands over to
// WinMain; on Windows the C runtime enters WinMain itself.
#ifndef _WIN32
#include "winapi/standin.h"
#include "winapi/winapi.h"

#include <SDL.h>

#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char **argv) {
    if (!winapi_start_video()) {
        std::fprintf(stderr, "%s: cannot start SDL video: %s\n", argc > 0 ? argv[0] : "vrx",
                     SDL_GetError());
        return 1;
    }
    // Joysticks are optional; starting them here keeps SDL's start-up on this thread.
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    std::string commandline;
    for (int i = 1; i < argc; i++) {
        if (i > 1) commandline += ' ';
        commandline += argv[i];
    }
    int status = WinMain(GetModuleHandleA(nullptr), nullptr, commandline.data(), SW_SHOWDEFAULT);
    // The logic thread may still be running: end the process without waiting for it or
    // running destructors under its feet.
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(status);
}
#else
#include "winapi/winapi.h"

DWORD WINAPI win32_main(LPVOID parameter);

// The C runtime calls WinMain, and WinMain starts win32_main; both live in libraries the linker
// has passed by the time the runtime asks for WinMain. The link names this table (-u), which
// takes both in.
extern "C" void *const vrx_process_entry[] = {reinterpret_cast<void *>(WinMain),
                                              reinterpret_cast<void *>(win32_main)};
#endif
