// The game's start-up on the library and the frame that vornmain repeats.
#include "game/tintfall.h"
#include "vrx.h"

void tintfall_startup(TintfallAssets *assets) {
    VRX_SetTitle("GlowbyJr interperter - Tintfall (2010) , by: Ormwell Studios");
    // The assets travel behind the program; it is found by its fixed name from its own folder.
    vornfile_mountimage("Ormwell Studios - Tintfall (2010).exe", VORNFILE_MOUNT_EXECUTABLE);
    VRX_InitVideo(640, 480, 32, 0);
    _dbg_printf("- Init Soundsystem\n");
    Soundsystem_Init(44100, 8192, 16, 2);
    Soundsystem_SetMasterVolume(256);
    _dbg_printf("- Loading sounds\n");
    VRX_LoadBitmap("glowbyjr.tga", &assets->picture);
    VRX_LoadBitmap("leds.tga", &assets->led_sheet);
    VRX_InitFont("font_heat.tga", &assets->font);

    VRX_DrawBitmap(0, 0, assets->picture, VRX_screenbitmap);
    VRX_SwapBuffers();
    setup();
}

void tintfall_frame(const TintfallAssets &assets) {
    VRX_WaitRefresh();
    // Repainting the whole picture erases the previous frame's LEDs.
    VRX_DrawBitmap(0, 0, assets.picture, VRX_screenbitmap);
    Glo.update_glowbyjr();
    loop(); // ends by drawing and presenting the LEDs of this step
    VRX_SwapBuffers();
}
