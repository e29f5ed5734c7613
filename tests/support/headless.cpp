// Every test program runs headless unless the caller chose SDL drivers itself. Windows has no
// SDL drivers to choose.
#ifndef _WIN32
#include <cstdlib>

namespace {
const int headless = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return 0;
}();
} // namespace
#endif
