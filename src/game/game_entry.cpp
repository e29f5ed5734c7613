// The game's main function on the library: names the window, mounts the assets carried in the
// executable, opens video and sound, shows the bare device and then runs the game one frame at
// a time for as long as the process lives.
#include "game/tintfall.h"
#include "vrx.h"

void vornmain() {
    // Owned for the whole run; zeroed so that a failed load leaves them without data.
    VRX_Bitmap picture{};
    VRX_Bitmap led_sheet{};
    VRX_Font font{};

    VRX_SetTitle("GlowbyJr interperter - Tintfall (2010) , by: Ormwell Studios");
    // The assets travel behind the program; it is found by its fixed name from its own folder.
    vornfile_mountimage("Ormwell Studios - Tintfall (2010).exe", VORNFILE_MOUNT_EXECUTABLE);
    VRX_InitVideo(640, 480, 32, 0);
    _dbg_printf("- Init Soundsystem\n");
    Soundsystem_Init(44100, 8192, 16, 2);
    Soundsystem_SetMasterVolume(256);
    _dbg_printf("- Loading sounds\n");
    VRX_LoadBitmap("glowbyjr.tga", &picture);
    VRX_LoadBitmap("leds.tga", &led_sheet);
    VRX_InitFont("font_heat.tga", &font);

    VRX_DrawBitmap(0, 0, picture, VRX_screenbitmap);
    VRX_SwapBuffers();
    setup();

    // No key or game state ends this loop: closing the window ends the process.
    for (;;) {
        VRX_WaitRefresh();
        VRX_DrawBitmap(0, 0, picture, VRX_screenbitmap);
        Glo.update_glowbyjr();
        loop();
        VRX_SwapBuffers();
    }
}
