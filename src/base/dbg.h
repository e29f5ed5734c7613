// Diagnostic lines and the fatal assertion.
#pragma once
#include <cstdint>

void _dbg_printf(const char *format, ...) __attribute__((format(printf, 1, 2)));
[[noreturn]] void _dbg_assert(const char *path, int32_t line, const char *expression);
void _dbg_init();
void _dbg_shutdown();
