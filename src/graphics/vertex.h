#pragma once
#include <cstdint>

// A triangle corner: position in pixels, 8.8 texture coordinates, two unused words, shade.
struct VRX_Vertex {
    int32_t x;
    int32_t y;
    int32_t u;
    int32_t v;
    int32_t unused1;
    int32_t unused2;
    int32_t shade;
};
