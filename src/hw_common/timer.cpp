#include "hw_common/timer.h"

#include "base/memory.h"
#include "hw_common/timer_internal.h"

uint32_t VRX_timer_starttick = 0;

uint32_t VRX_timer_getmillis() {
    return VRX_ll_timer_get_ticks() - VRX_timer_starttick;
}

// The caller owns the block; nothing is written into it.
void *VRX_timer_getlocaltime() {
    return _wrap_malloc_dbg(256, "hw_common/timer.cpp", 29);
}
