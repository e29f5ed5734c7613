#include "base/memory.h"
#include "base/memory_internal.h"

#include "base/dbg.h"

#include <cstdlib>
#include <malloc.h>

// The bytes the allocator really gave, so that the count in use returns to 0 after frees.
static uint32_t usable_size(void *block) {
#ifdef _WIN32
    return static_cast<uint32_t>(_msize(block));
#else
    return static_cast<uint32_t>(malloc_usable_size(block));
#endif
}

uint32_t g_mem_in_use = 0;
uint32_t g_mem_in_use_peak = 0;

void *_wrap_malloc(uint32_t size) {
    return std::malloc(size);
}
void _wrap_free(void *pointer) {
    std::free(pointer);
}

static uint32_t fail_next = 0;

void vrx_memory_fail_next(uint32_t count) {
    fail_next = count;
}

void *_wrap_malloc_dbg(uint32_t size, const char *path, int32_t line) {
    void *block = nullptr;
    if (fail_next > 0)
        --fail_next;
    else
        block = std::malloc(size);
    if (!block) {
        // Unsigned so that a size past 2 GiB is not shown as a negative number.
        _dbg_printf("%s(%d): wrap_malloc(%u) failed!\n", path, line, size);
        return nullptr;
    }
    g_mem_in_use += usable_size(block);
    if (g_mem_in_use > g_mem_in_use_peak) g_mem_in_use_peak = g_mem_in_use;
    return block;
}

void _wrap_free_dbg(void *pointer, const char *path, int32_t line) {
    if (!pointer) {
        _dbg_printf("%s(%d): wrap_free() tried to free a NULL pointer!\n", path, line);
        return;
    }
    g_mem_in_use -= usable_size(pointer);
    std::free(pointer);
}

void *_wrap_malloc_iwram(uint32_t size) {
    return _wrap_malloc(size);
}
void _wrap_free_iwram(void *pointer) {
    _wrap_free(pointer);
}
void *_wrap_malloc_iwram_dbg(uint32_t size, const char *path, int32_t line) {
    return _wrap_malloc_dbg(size, path, line);
}
void _wrap_free_iwram_dbg(void *pointer, const char *path, int32_t line) {
    _wrap_free_dbg(pointer, path, line);
}

void wrap_showusage() {
    _dbg_printf("memory usage: %d (peak: %d)\n", static_cast<int>(g_mem_in_use),
                static_cast<int>(g_mem_in_use_peak));
}
