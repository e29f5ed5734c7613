// Sprites made from exact pixel values in the current depth, freed at scope end.
#pragma once
#include "graphics/depth_fixture.h"
#include "graphics/sprite.h"

#include <vector>

struct TestSprite {
    VRX_Sprite s{};
    TestSprite() = default;
    TestSprite(int32_t w, int32_t h, const std::vector<uint32_t> &values) {
        if (vrx_mode16()) {
            std::vector<uint16_t> p(values.begin(), values.end());
            CreateMaskedSprite(w, h, p.data(), &s, 0xFFFFFF);
        } else {
            CreateMaskedSprite(w, h, values.data(), &s, 0xFFFFFFFF);
        }
    }
    TestSprite(const TestSprite &) = delete;
    ~TestSprite() { VRX_DeleteSprite(&s); }
    uint32_t at(int32_t x, int32_t y) const {
        const size_t i = size_t(y) * s.width + x;
        return vrx_mode16() ? static_cast<const uint16_t *>(s.data)[i]
                            : static_cast<const uint32_t *>(s.data)[i];
    }
};

// A w x h sprite of distinct opaque pixels with every fifth one transparent.
inline std::vector<uint32_t> sprite_pattern(int32_t w, int32_t h) {
    std::vector<uint32_t> v(size_t(w) * h);
    for (size_t i = 0; i < v.size(); i++) {
        const uint32_t p = uint32_t(i * 2654435761u >> 9) | 1;
        v[i] = i % 5 == 3 ? 0 : vrx_mode16() ? (p & 0x7FFF) | 1 : 0x80000000u | p;
    }
    return v;
}
