// Smooth-edged shapes for the asset pictures: each pixel is covered by 4x4 samples and blended
// over what is already there, so curved edges come out without stair steps.
#pragma once
#include <cmath>
#include <cstdint>

#include "graphics/primitives.h"

inline uint32_t mix_rgb(uint32_t a, uint32_t b, int32_t t256) {
    uint32_t out = 0;
    for (int32_t s = 0; s < 24; s += 8) {
        int32_t ca = (a >> s) & 0xFF, cb = (b >> s) & 0xFF;
        out |= uint32_t(ca + (cb - ca) * t256 / 256) << s;
    }
    return out;
}

// Colour from top to bottom of a span of rows.
inline uint32_t vertical_ramp(uint32_t top, uint32_t bottom, int32_t y, int32_t y0, int32_t y1) {
    return y1 > y0 ? mix_rgb(top, bottom, (y - y0) * 256 / (y1 - y0)) : top;
}

template <class Inside, class Colour>
void fill_shape(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Inside inside, Colour colour,
                VRX_Bitmap bitmap, int32_t alpha = 256) {
    for (int32_t y = y0; y <= y1; y++) {
        for (int32_t x = x0; x <= x1; x++) {
            int32_t hits = 0;
            for (int32_t i = 0; i < 4; i++)
                for (int32_t j = 0; j < 4; j++)
                    hits += inside(x + (j + 0.5) / 4.0, y + (i + 0.5) / 4.0) ? 1 : 0;
            if (!hits) continue;
            uint32_t under = VRX_GetPixel(x, y, bitmap) & 0xFFFFFF;
            VRX_DrawPixel(x, y, mix_rgb(under, colour(x, y), hits * alpha / 16), bitmap);
        }
    }
}

// Inside test of a box [x, x + w] x [y, y + h] with corners rounded to radius r.
struct RoundBox {
    double x, y, w, h, r;
    bool operator()(double px, double py) const {
        double cx = std::fmin(std::fmax(px, x + r), x + w - r);
        double cy = std::fmin(std::fmax(py, y + r), y + h - r);
        return px >= x && px <= x + w && py >= y && py <= y + h &&
               (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
    }
};

struct Disc {
    double cx, cy, r;
    bool operator()(double px, double py) const {
        return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
    }
};

template <class Colour>
void round_box(double x, double y, double w, double h, double r, Colour colour, VRX_Bitmap bitmap,
               int32_t alpha = 256) {
    fill_shape(int32_t(x), int32_t(y), int32_t(x + w), int32_t(y + h), RoundBox{x, y, w, h, r},
               colour, bitmap, alpha);
}

template <class Colour>
void disc(double cx, double cy, double r, Colour colour, VRX_Bitmap bitmap, int32_t alpha = 256) {
    fill_shape(int32_t(cx - r), int32_t(cy - r), int32_t(cx + r), int32_t(cy + r), Disc{cx, cy, r},
               colour, bitmap, alpha);
}

// A constant colour for the fills above.
struct Flat {
    uint32_t rgb;
    uint32_t operator()(int32_t, int32_t) const { return rgb; }
};

// A colour running from top to bottom between two rows.
struct Ramp {
    uint32_t top, bottom;
    int32_t y0, y1;
    uint32_t operator()(int32_t, int32_t y) const { return vertical_ramp(top, bottom, y, y0, y1); }
};
