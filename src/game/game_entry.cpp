// The game's main function on the library, run on the logic thread. It never returns: closing
// the window ends the process.
#include "vrx_library.h"
#include "game/tintfall.h"

void vornmain() {
    static TintfallAssets assets{}; // held for the whole run, empty until loaded
    tintfall_startup(&assets);
    for (;;) tintfall_frame(assets);
}
