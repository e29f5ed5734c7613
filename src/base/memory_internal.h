// Tracked memory: what tests reach beyond the public calls.
#pragma once
#include <cstdint>

// Test hook: the next `count` tracked allocations fail as if the platform had no memory.
void vrx_memory_fail_next(uint32_t count);
