// The platform's millisecond counter, supplied by the window layer.
#pragma once
#include <cstdint>

uint32_t VRX_ll_timer_get_ticks();
