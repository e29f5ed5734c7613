// Block copies and fills: whole 4-byte words first, then the last 0..3 bytes one by one.
#pragma once
#include <cstdint>

void wrap_memcpy(void *destination, const void *source, int32_t count);
void wrap_memcpy16(void *destination, const void *source, int32_t count);
void wrap_memcpy32(void *destination, const void *source, int32_t count);
void wrap_memset(void *destination, uint8_t value, int32_t count);
void wrap_memclr(void *destination, int32_t count);
