#include "base/dbg.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void _dbg_printf(const char *format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    // Lines come from two threads and from a process that may be ended at any moment.
    std::fflush(stdout);
}

void _dbg_assert(const char *path, int32_t line, const char *expression) {
    _dbg_printf("%s(%d): assertion failed: %s\n", path, line, expression);
    std::exit(1);
}

void _dbg_init() {}
void _dbg_shutdown() {}
