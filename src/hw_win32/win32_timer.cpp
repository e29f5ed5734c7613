// The millisecond counter behind the library timer.
#include "hw_common/timer_internal.h"
#include "winapi/winapi.h"

uint32_t VRX_ll_timer_get_ticks() {
    return GetTickCount();
}
