// Millisecond timer counting from VRX_Initialise.
#pragma once
#include <cstdint>

extern uint32_t VRX_timer_starttick;

uint32_t VRX_timer_getmillis();
void *VRX_timer_getlocaltime();
