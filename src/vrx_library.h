// Library start and close-down, and the window caption.
#pragma once
#include <cstdint>

int32_t VRX_Initialise();
int32_t VRX_CloseDown();
int32_t VRX_SetTitle(const char *text);

// Supplied by the application: its main function, run on the logic thread.
void vornmain();
