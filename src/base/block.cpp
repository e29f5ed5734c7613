#include "base/block.h"

#include <cstring>

// memcpy/memset on the word part keeps the word-then-bytes split while letting the
// compiler use its widest stores; the byte tail is written singly as documented.
void wrap_memcpy(void *destination, const void *source, int32_t count) {
    if (count <= 0) return;
    auto *d = static_cast<uint8_t *>(destination);
    auto *s = static_cast<const uint8_t *>(source);
    int32_t words = count & ~3;
    std::memcpy(d, s, static_cast<size_t>(words));
    for (int32_t i = words; i < count; ++i) d[i] = s[i];
}

void wrap_memcpy16(void *destination, const void *source, int32_t count) {
    if (count > 0) std::memcpy(destination, source, static_cast<size_t>(count) * 2);
}

void wrap_memcpy32(void *destination, const void *source, int32_t count) {
    if (count > 0) std::memcpy(destination, source, static_cast<size_t>(count) * 4);
}

void wrap_memset(void *destination, uint8_t value, int32_t count) {
    if (count <= 0) return;
    auto *d = static_cast<uint8_t *>(destination);
    int32_t words = count & ~3;
    std::memset(d, value, static_cast<size_t>(words));
    for (int32_t i = words; i < count; ++i) d[i] = value;
}

void wrap_memclr(void *destination, int32_t count) {
    wrap_memset(destination, 0, count);
}
