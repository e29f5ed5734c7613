// Per-pixel rules shared by the span kernels, and the 16-bit layout as the kernels see it.
// Everything here is inline so the span loops stay free of calls and vectorise.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

// 32-bit masks: lowest one, two or three bits of every byte cleared (top byte included).
constexpr uint32_t VB_H32 = 0xFEFEFEFEu;
constexpr uint32_t VB_Q32 = 0xFCFCFCFCu;
constexpr uint32_t VB_E32 = 0xF8F8F8F8u;

// Snapshot of the 16-bit channel layout, taken once per call so the loops keep it in registers.
struct VB_Layout16 {
    uint32_t mr, mg, mb; // channel masks
    uint32_t sr, sg, sb; // shifts
    uint32_t br, bg, bb; // widths
    uint32_t h;          // every channel with its lowest bit cleared
    uint32_t q;          // every channel with its two lowest bits cleared
    uint16_t xr, xg, xb; // channel maxima, (1 << width) - 1
    // Channels at most 8 bits wide and inside the 16-bit word: a channel times an 8-bit weight
    // fits in 16 bits, so the per-channel kernels can work in 16-bit lanes.
    bool narrow;
};

inline VB_Layout16 vb_layout16() {
    VB_Layout16 l;
    l.mr = vornblit_redmask;
    l.mg = vornblit_greenmask;
    l.mb = vornblit_bluemask;
    l.sr = vornblit_redshift;
    l.sg = vornblit_greenshift;
    l.sb = vornblit_blueshift;
    l.br = vornblit_redbits;
    l.bg = vornblit_greenbits;
    l.bb = vornblit_bluebits;
    l.h = (l.mr & (l.mr - 1)) | (l.mg & (l.mg - 1)) | (l.mb & (l.mb - 1));
    l.q = ((l.mr - (3u << l.sr)) & l.mr) | ((l.mg - (3u << l.sg)) & l.mg) |
          ((l.mb - (3u << l.sb)) & l.mb);
    l.xr = static_cast<uint16_t>(l.mr >> l.sr);
    l.xg = static_cast<uint16_t>(l.mg >> l.sg);
    l.xb = static_cast<uint16_t>(l.mb >> l.sb);
    l.narrow = l.br <= 8 && l.bg <= 8 && l.bb <= 8 && l.br + l.sr <= 16 && l.bg + l.sg <= 16 &&
               l.bb + l.sb <= 16;
    return l;
}

// Levels are 8-bit; only the low byte of the argument counts.
inline uint32_t vb_level(uint32_t level) {
    return level & 0xFFu;
}

// A 32-bit pixel is opaque when its top byte is not 0.
inline bool vb_opaque32(uint32_t p) {
    return p > 0x00FFFFFFu;
}

inline uint32_t vb_mix32(uint32_t a, uint32_t b) {
    return ((a & VB_H32) + (b & VB_H32)) >> 1;
}
inline uint32_t vb_qmix32(uint32_t a, uint32_t b) {
    return (3 * (a & VB_Q32) + (b & VB_Q32)) >> 2;
}

// Saturating add per channel: red and blue share one word, green has its own; a carry out of a
// channel is widened into an all-ones byte.
inline uint32_t vb_add32(uint32_t a, uint32_t b) {
    uint32_t rb = (a & 0x00FF00FFu) + (b & 0x00FF00FFu);
    uint32_t g = (a & 0x0000FF00u) + (b & 0x0000FF00u);
    uint32_t orb = rb & 0x01000100u;
    uint32_t og = g & 0x00010000u;
    rb |= orb - (orb >> 8);
    g |= og - (og >> 8);
    return (rb & 0x00FF00FFu) | (g & 0x0000FF00u);
}

inline uint32_t vb_mul32(uint32_t a, uint32_t b) {
    uint32_t r = (((a >> 16) & 0xFFu) * ((b >> 16) & 0xFFu)) >> 8;
    uint32_t g = (((a >> 8) & 0xFFu) * ((b >> 8) & 0xFFu)) >> 8;
    uint32_t bl = ((a & 0xFFu) * (b & 0xFFu)) >> 8;
    return (r << 16) | (g << 8) | bl;
}

// H16 and Q16 never have their lowest one or two bits set, so halving (quartering) each term
// before the sum gives the same value as after it and keeps the sum inside 16 bits.
inline uint16_t vb_mix16(uint16_t a, uint16_t b, uint16_t h) {
    return static_cast<uint16_t>(((a & h) >> 1) + ((b & h) >> 1));
}
inline uint16_t vb_qmix16(uint16_t a, uint16_t b, uint16_t q) {
    return static_cast<uint16_t>(3 * ((a & q) >> 2) + ((b & q) >> 2));
}
inline uint16_t vb_q3mix16(uint16_t a, uint16_t b, uint16_t q) {
    return static_cast<uint16_t>(((a & q) >> 2) + 3 * ((b & q) >> 2));
}

inline uint32_t vb_add16(uint32_t a, uint32_t b, const VB_Layout16 &l) {
    uint32_t r = (a & l.mr) + (b & l.mr);
    uint32_t g = (a & l.mg) + (b & l.mg);
    uint32_t bl = (a & l.mb) + (b & l.mb);
    r = r > l.mr ? l.mr : r;
    g = g > l.mg ? l.mg : g;
    bl = bl > l.mb ? l.mb : bl;
    return r | g | bl;
}

// c = ca * cb >> width per channel, done in place under each mask.
inline uint32_t vb_mul16(uint32_t a, uint32_t b, const VB_Layout16 &l) {
    uint32_t r = (((a & l.mr) * (b & l.mr)) >> (l.br + l.sr)) & l.mr;
    uint32_t g = (((a & l.mg) * (b & l.mg)) >> (l.bg + l.sg)) & l.mg;
    uint32_t bl = (((a & l.mb) * (b & l.mb)) >> (l.bb + l.sb)) & l.mb;
    return r | g | bl;
}
