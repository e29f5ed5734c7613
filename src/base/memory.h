// Tracked allocation: counts the usable size of every block in use and its peak.
#pragma once
#include <cstdint>

extern uint32_t g_mem_in_use;
extern uint32_t g_mem_in_use_peak;

void *_wrap_malloc(uint32_t size);
void _wrap_free(void *pointer);
void *_wrap_malloc_dbg(uint32_t size, const char *path, int32_t line);
void _wrap_free_dbg(void *pointer, const char *path, int32_t line);

// There is one memory pool; these are the same as their counterparts.
void *_wrap_malloc_iwram(uint32_t size);
void _wrap_free_iwram(void *pointer);
void *_wrap_malloc_iwram_dbg(uint32_t size, const char *path, int32_t line);
void _wrap_free_iwram_dbg(void *pointer, const char *path, int32_t line);

void wrap_showusage();
