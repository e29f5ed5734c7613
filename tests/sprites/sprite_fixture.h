// Sprites made from exact pixel values in the current depth, freed at scope end.
#pragma once
#include "graphics/depth_fixture.h"
#include "graphics/sprite.h"

#include <vector>

struct TestSprite {
    VRX_Sprite s{};
    TestSprite() = default;
    TestSprite(int32_t w, int32_t h, const std::vector<uint32_t> &values) {
        std::vector<uint16_t> p16(values.begin(), values.end());
        CreateMaskedSprite(w, h, vrx_mode16() ? (const void *)p16.data() : values.data(), &s,
                           0xFFFFFFFF);
    }
    TestSprite(const TestSprite &) = delete;
    ~TestSprite() { VRX_DeleteSprite(&s); }
    static uint32_t value(const VRX_Sprite &s, int32_t x, int32_t y) {
        const size_t i = size_t(y) * s.width + x;
        return vrx_mode16() ? static_cast<const uint16_t *>(s.data)[i]
                            : static_cast<const uint32_t *>(s.data)[i];
    }
    uint32_t at(int32_t x, int32_t y) const { return value(s, x, y); }
};

// Distinct opaque pixels with every fifth one transparent.
inline std::vector<uint32_t> sprite_pattern(int32_t w, int32_t h) {
    std::vector<uint32_t> v(size_t(w) * h);
    for (size_t i = 0; i < v.size(); i++) {
        const uint32_t p = uint32_t(i * 2654435761u >> 9) | 1;
        v[i] = i % 5 == 3 ? 0 : vrx_mode16() ? (p & 0x7FFF) | 1 : 0x80000000u | p;
    }
    return v;
}
