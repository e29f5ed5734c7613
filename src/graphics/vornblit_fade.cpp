// Fades to black and white, crossfades and the alpha wipe.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"
#include "graphics/vornblit_simd.h"

void VornBlit_BlitFade16(uint16_t *dst, const uint16_t *src, uint32_t level, int32_t n) {
    const VB_Layout16 l = vb_layout16();
    const uint32_t lv = vb_level(level);
    int32_t i = 0;
#if VB_SSE2
    if (l.narrow) {
        // (x * level) >> 8 is the high half of x * (level << 8).
        const VB_Layout16v v = vb_layout16v(l);
        const __m128i w = vb_splat16(lv << 8);
        for (; i + 8 <= n; i += 8) {
            const __m128i s = vb_load(src + i);
            __m128i out = _mm_setzero_si128();
            for (const VB_Chan16v &c : v.c)
                out = _mm_or_si128(
                    out, _mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(s, c.mask), w), c.mask));
            vb_store(dst + i, out);
        }
    }
#endif
    for (; i < n; ++i) {
        uint32_t s = src[i];
        uint32_t r = (((s & l.mr) * lv) >> 8) & l.mr;
        uint32_t g = (((s & l.mg) * lv) >> 8) & l.mg;
        uint32_t b = (((s & l.mb) * lv) >> 8) & l.mb;
        dst[i] = static_cast<uint16_t>(r | g | b);
    }
}

// Eight levels only: each channel is halved k times.
void VornBlit_BlitFade16fast(uint16_t *dst, const uint16_t *src, uint32_t level, int32_t n) {
    const VB_Layout16 l = vb_layout16();
    const uint32_t k = (255 - vb_level(level)) >> 5;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t s = src[i];
        uint32_t r = ((s & l.mr) >> k) & l.mr;
        uint32_t g = ((s & l.mg) >> k) & l.mg;
        uint32_t b = ((s & l.mb) >> k) & l.mb;
        dst[i] = static_cast<uint16_t>(r | g | b);
    }
}

// c = max(0, c - k) per channel: a saturating add on the inverted pixel, inverted back.
void VornBlit_BlitFade32(uint32_t *dst, const uint32_t *src, uint32_t level, int32_t n) {
    const uint32_t k = 255 - vb_level(level);
    const uint32_t krb = k | (k << 16), kg = k << 8;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t p = ~src[i];
        uint32_t t1 = (p & 0x00FF00FFu) + krb;
        uint32_t t2 = (p & 0x0000FF00u) + kg;
        uint32_t o1 = t1 & 0x01000100u, o2 = t2 & 0x00010000u;
        t1 |= o1 - (o1 >> 8);
        t2 |= o2 - (o2 >> 8);
        dst[i] = ~((t2 & 0x0000FF00u) | (t1 & 0x00FF00FFu)) | 0xFF000000u;
    }
}

void VornBlit_BlitFadeWhite16(uint16_t *dst, const uint16_t *src, uint32_t level, int32_t n) {
    const VB_Layout16 l = vb_layout16();
    const uint32_t k = (255 - vb_level(level)) >> 3;
    const uint32_t kr = k << l.sr, kg = k << l.sg, kb = k << l.sb;
    int32_t i = 0;
#if VB_SSE2
    if (l.narrow) {
        // A step that does not fit in 16 bits saturates every channel it is added to anyway.
        const VB_Layout16v v = vb_layout16v(l);
        const uint32_t ks[3] = {kr, kg, kb};
        __m128i kv[3];
        for (int c = 0; c < 3; ++c) kv[c] = vb_splat16(ks[c] > 0xFFFF ? 0xFFFF : ks[c]);
        for (; i + 8 <= n; i += 8) {
            const __m128i s = vb_load(src + i);
            __m128i out = _mm_setzero_si128();
            for (int c = 0; c < 3; ++c) {
                __m128i t = _mm_adds_epu16(_mm_and_si128(s, v.c[c].mask), kv[c]);
                out = _mm_or_si128(out, vb_minu16(t, v.c[c].mask));
            }
            vb_store(dst + i, out);
        }
    }
#endif
    for (; i < n; ++i) {
        uint32_t s = src[i];
        uint32_t r = (s & l.mr) + kr;
        uint32_t g = (s & l.mg) + kg;
        uint32_t b = (s & l.mb) + kb;
        r = r > l.mr ? l.mr : r;
        g = g > l.mg ? l.mg : g;
        b = b > l.mb ? l.mb : b;
        dst[i] = static_cast<uint16_t>(r | g | b);
    }
}

// c = min(255, c + k) per channel, carries widened into all-ones bytes.
void VornBlit_BlitFadeWhite32(uint32_t *dst, const uint32_t *src, uint32_t level, int32_t n) {
    const uint32_t k = 255 - vb_level(level);
    const uint32_t krb = k | (k << 16), kg = k << 8;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t p = src[i];
        uint32_t t1 = (p & 0x00FF00FFu) + krb;
        uint32_t t2 = (p & 0x0000FF00u) + kg;
        uint32_t o1 = t1 & 0x01000100u, o2 = t2 & 0x00010000u;
        t1 |= o1 - (o1 >> 8);
        t2 |= o2 - (o2 >> 8);
        dst[i] = (t2 & 0x0000FF00u) | (t1 & 0x00FF00FFu) | 0xFF000000u;
    }
}

// One channel of the crossfade with its position and width fixed at compile time, so every
// shift is an immediate; ORed into out. The weighted sum fits 16 bits and t >> 8 never exceeds
// the channel maximum.
template <uint32_t S, uint32_t B>
__attribute__((always_inline)) inline void
vb_xfade_chan(VB_U16v &out, const VB_U16v &pa, const VB_U16v &pb, uint16_t la, uint16_t lb) {
    constexpr uint16_t X = (1u << B) - 1, M = X << S;
    VB_U16v ca = pa >> S, cb = pb >> S;
    if constexpr (S + B < 16) { // the top channel needs no mask
        ca &= X;
        cb &= X;
    }
    const VB_U16v t = ca * la + cb * lb;
    if constexpr (S == 0)
        out |= t >> 8;
    else if constexpr (S < 8)
        out |= (t >> (8 - S)) & M;
    else
        out |= (t << (S - 8)) & M;
}

// The three channels by ascending position; which one is red does not matter to the rule.
template <uint32_t S0, uint32_t B0, uint32_t S1, uint32_t B1, uint32_t S2, uint32_t B2>
__attribute__((always_inline)) inline int32_t vb_xfade16_fixed(uint16_t *dst, const uint16_t *a,
                                                               const uint16_t *b, uint16_t la,
                                                               uint16_t lb, int32_t n) {
    int32_t i = 0;
    for (; i + VB_LANES16 <= n; i += VB_LANES16) {
        VB_U16v pa, pb;
        std::memcpy(&pa, a + i, sizeof pa);
        std::memcpy(&pb, b + i, sizeof pb);
        VB_U16v out = {};
        vb_xfade_chan<S0, B0>(out, pa, pb, la, lb);
        vb_xfade_chan<S1, B1>(out, pa, pb, la, lb);
        vb_xfade_chan<S2, B2>(out, pa, pb, la, lb);
        std::memcpy(dst + i, &out, sizeof out);
    }
    return i;
}

__attribute__((always_inline)) static inline void
vb_crossfade16(uint16_t *dst, const uint16_t *a, const uint16_t *b, uint32_t level, int32_t n) {
    const VB_Layout16 l = vb_layout16();
    const uint32_t lb = vb_level(level), la = 255 - lb;
    const auto has = [&l](uint32_t m) { return m == l.mr || m == l.mg || m == l.mb; };
    int32_t i = 0;
    if (has(0x001F) && has(0x07E0) && has(0xF800))
        i = vb_xfade16_fixed<0, 5, 5, 6, 11, 5>(dst, a, b, la, lb, n);
    else if (has(0x001F) && has(0x03E0) && has(0x7C00))
        i = vb_xfade16_fixed<0, 5, 5, 5, 10, 5>(dst, a, b, la, lb, n);
    else if (l.narrow) {
        // Channels of at most 8 bits: both weighted terms and their sum fit in 16-bit lanes.
        const uint32_t sh[3] = {l.sr, l.sg, l.sb};
        const uint16_t mx[3] = {l.xr, l.xg, l.xb};
        for (; i + VB_LANES16 <= n; i += VB_LANES16) {
            VB_U16v pa, pb, out = {};
            std::memcpy(&pa, a + i, sizeof pa);
            std::memcpy(&pb, b + i, sizeof pb);
            for (int c = 0; c < 3; ++c) {
                VB_U16v ca = (pa >> sh[c]) & mx[c], cb = (pb >> sh[c]) & mx[c];
                VB_U16v t = ca * static_cast<uint16_t>(la) + cb * static_cast<uint16_t>(lb);
                out |= (t >> 8) << sh[c];
            }
            std::memcpy(dst + i, &out, sizeof out);
        }
    }
    for (; i < n; ++i) {
        uint32_t pa = a[i], pb = b[i];
        uint32_t r = (((pa & l.mr) * la + (pb & l.mr) * lb) >> 8) & l.mr;
        uint32_t g = (((pa & l.mg) * la + (pb & l.mg) * lb) >> 8) & l.mg;
        uint32_t bl = (((pa & l.mb) * la + (pb & l.mb) * lb) >> 8) & l.mb;
        dst[i] = static_cast<uint16_t>(r | g | bl);
    }
}

VB_CLONES void VornBlit_BlitCrossfade16(uint16_t *dst, const uint16_t *a, const uint16_t *b,
                                        uint32_t level, int32_t n) {
    VB_CLONED(vb_crossfade16, dst, a, b, level, n);
}

// Red and blue are weighted together in one word: the blue products stay below bit 16.
void VornBlit_BlitCrossfade32(uint32_t *dst, const uint32_t *a, const uint32_t *b, uint32_t level,
                              int32_t n) {
    const uint32_t lb = vb_level(level), la = 255 - lb;
    int32_t i = 0;
#if VB_SSE2
    {
        // Bytes widened to 16-bit lanes: ca * (255 - level) + cb * level stays below 65536.
        const __m128i z = _mm_setzero_si128(), wa = vb_splat16(la), wb = vb_splat16(lb);
        const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
        for (; i + 4 <= n; i += 4) {
            const __m128i pa = vb_load(a + i), pb = vb_load(b + i);
            __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(pa, z), wa),
                                       _mm_mullo_epi16(_mm_unpacklo_epi8(pb, z), wb));
            __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(pa, z), wa),
                                       _mm_mullo_epi16(_mm_unpackhi_epi8(pb, z), wb));
            __m128i out = _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8));
            vb_store(dst + i, _mm_and_si128(out, rgb));
        }
    }
#endif
    for (; i < n; ++i) {
        uint32_t pa = a[i], pb = b[i];
        uint32_t rb = (((pa & 0x00FF00FFu) * la + (pb & 0x00FF00FFu) * lb) >> 8) & 0x00FF00FFu;
        uint32_t g = (((pa & 0x0000FF00u) * la + (pb & 0x0000FF00u) * lb) >> 8) & 0x0000FF00u;
        dst[i] = rb | g;
    }
}

// Level quantised to eighths; one loop per eighth so the inner loops are plain adds and shifts.
void VornBlit_BlitCrossfadeFast32(uint32_t *dst, const uint32_t *a, const uint32_t *b,
                                  uint32_t level, int32_t n) {
    const uint32_t lv = vb_level(level);
    const uint32_t step = lv == 255 ? 8 : lv >> 5;
    const uint32_t E = VB_E32, Q = VB_Q32, H = VB_H32;
    switch (step) {
    case 0:
        for (int32_t i = 0; i < n; ++i) dst[i] = a[i];
        break;
    case 1:
        for (int32_t i = 0; i < n; ++i) dst[i] = (7 * (a[i] & E) + (b[i] & E)) >> 3;
        break;
    case 2:
        for (int32_t i = 0; i < n; ++i) dst[i] = (3 * (a[i] & Q) + (b[i] & Q)) >> 2;
        break;
    case 3:
        for (int32_t i = 0; i < n; ++i) dst[i] = (5 * (a[i] & E) + 3 * (b[i] & E)) >> 3;
        break;
    case 4:
        for (int32_t i = 0; i < n; ++i) dst[i] = ((a[i] & H) + (b[i] & H)) >> 1;
        break;
    case 5:
        for (int32_t i = 0; i < n; ++i) dst[i] = (3 * (a[i] & E) + 5 * (b[i] & E)) >> 3;
        break;
    case 6:
        for (int32_t i = 0; i < n; ++i) dst[i] = ((a[i] & Q) + 3 * (b[i] & Q)) >> 2;
        break;
    case 7:
        for (int32_t i = 0; i < n; ++i) dst[i] = ((a[i] & E) + 7 * (b[i] & E)) >> 3;
        break;
    default:
        for (int32_t i = 0; i < n; ++i) dst[i] = b[i];
        break;
    }
}

void VornBlit_BlitAlphawipe16(uint16_t *dst, const uint16_t *src, const uint16_t *mask,
                              uint32_t level, int32_t n) {
    const VB_Layout16 l = vb_layout16();
    const uint32_t lv = vb_level(level);
    // The mask's blue channel scaled to 8 bits (down as well, should a channel be wider).
    const uint32_t up = l.bb < 8 ? 8 - l.bb : 0, down = l.bb > 8 ? l.bb - 8 : 0;
    int32_t i = 0;
#if VB_SSE2
    if (l.narrow) {
        // w and the level are both below 256, so a signed compare serves.
        const __m128i mb = vb_splat16(l.mb), sb = vb_count(l.sb), upc = vb_count(up);
        const __m128i lvv = vb_splat16(lv);
        for (; i + 8 <= n; i += 8) {
            __m128i w = _mm_sll_epi16(_mm_srl_epi16(_mm_and_si128(vb_load(mask + i), mb), sb), upc);
            __m128i keep = _mm_cmpgt_epi16(w, lvv);
            vb_store(dst + i, vb_select(keep, vb_load(dst + i), vb_load(src + i)));
        }
    }
#endif
    for (; i < n; ++i) {
        uint32_t w = (((mask[i] & l.mb) >> l.sb) << up) >> down;
        dst[i] = lv >= w ? src[i] : dst[i];
    }
}

void VornBlit_BlitAlphawipe32(uint32_t *dst, const uint32_t *src, const uint32_t *mask,
                              uint32_t level, int32_t n) {
    const uint32_t lv = vb_level(level);
    for (int32_t i = 0; i < n; ++i) dst[i] = lv >= (mask[i] & 0xFFu) ? src[i] : dst[i];
}
