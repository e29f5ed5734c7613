// Diagnostic lines and the fatal assertion.
#pragma once
#include <cstdint>

void _dbg_printf(const char *format, ...) __attribute__((format(printf, 1, 2)));
[[noreturn]] void _dbg_assert(const char *path, int32_t line, const char *expression);
// Programs that print their own messages (the archive tool) switch the diagnostic lines off.
void _dbg_enable(int32_t on);
void _dbg_init();
void _dbg_shutdown();
