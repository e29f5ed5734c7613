#include "base/dbg.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

static bool dbg_enabled = true;

void _dbg_enable(int32_t on) {
    dbg_enabled = on != 0;
}

void _dbg_printf(const char *format, ...) {
    if (!dbg_enabled) return;
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    // Lines come from two threads and from a process that may be ended at any moment.
    std::fflush(stdout);
}

void _dbg_assert(const char *path, int32_t line, const char *expression) {
    dbg_enabled = true; // a fatal stop always says why
    _dbg_printf("%s(%d): assertion failed: %s\n", path, line, expression);
    std::exit(1);
}

void _dbg_init() {}
void _dbg_shutdown() {}
