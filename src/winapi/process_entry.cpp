// The process entry on systems without WinMain: starts the display and hands over to WinMain.
#ifndef _WIN32 // Windows starts the process at WinMain itself
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
#endif
