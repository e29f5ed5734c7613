// SSE2 forms of the per-channel rules, eight 16-bit or four 32-bit pixels at a time. Every
// kernel that uses them runs its plain per-pixel loop for the rest of the span (and for the
// whole span where SSE2 is missing or the 16-bit layout is not narrow), and both give the same
// pixels. Plain loops vectorise on their own for the whole-word rules; these are for the rules
// whose 16-bit products and saturations the compiler widens to 32-bit lanes.
#pragma once
#include "base/cpu_forms.h"
#include "graphics/vornblit_pixel.h"

#include <cstring>

// Sixteen 16-bit lanes in the compiler's generic vectors: one AVX2 register where the avx2
// clone of a kernel runs, two SSE2 registers otherwise. For the 16-bit crossfade, whose six
// products per pixel keep SSE2 busy. Loads and stores go through memcpy (unaligned).
typedef uint16_t VB_U16v __attribute__((vector_size(32)));
constexpr int32_t VB_LANES16 = 16;
// GCC only: clang 14 does not emit the dispatcher under the C++ name. Not under the
// sanitizers either: their runtimes are not up when the dispatcher resolves. Not on Windows:
// its executable format has no indirect functions to resolve the clones with.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(_WIN32) &&         \
    !defined(__SANITIZE_THREAD__) && !defined(__SANITIZE_ADDRESS__)
#define VB_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VB_CLONES
#endif

// Windows gets the same two forms another way: both are compiled from one always-inline body
// and the kernel's first call picks one for the processor. VB_CLONED(body, args...) calls body
// in the form that runs here; elsewhere it calls body, which VB_CLONES has cloned.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(_WIN32)
#define VB_CLONED(body, ...) vrx_cpu_forms<body>(__VA_ARGS__)
#else
#define VB_CLONED(body, ...) body(__VA_ARGS__)
#endif

#if defined(__SSE2__)
#define VB_SSE2 1
#include <emmintrin.h>

inline __m128i vb_load(const void *p) {
    return _mm_loadu_si128(static_cast<const __m128i *>(p));
}
inline void vb_store(void *p, __m128i v) {
    _mm_storeu_si128(static_cast<__m128i *>(p), v);
}
inline __m128i vb_splat16(uint32_t v) {
    return _mm_set1_epi16(static_cast<int16_t>(v));
}
inline __m128i vb_count(uint32_t n) {
    return _mm_cvtsi32_si128(static_cast<int>(n));
}
// Where keep is all ones take old, elsewhere new.
inline __m128i vb_select(__m128i keep, __m128i old, __m128i nw) {
    return _mm_or_si128(_mm_and_si128(keep, old), _mm_andnot_si128(keep, nw));
}

// One 16-bit channel: its mask, and the factor that moves it to the top of the word,
// 1 << (16 - width - position) (0 for an empty channel, whose mask is 0 anyway).
struct VB_Chan16v {
    __m128i mask;
    __m128i alignmul;
};
struct VB_Layout16v {
    VB_Chan16v c[3];
};
inline VB_Layout16v vb_layout16v(const VB_Layout16 &l) {
    VB_Layout16v v;
    const uint32_t m[3] = {l.mr, l.mg, l.mb}, s[3] = {l.sr, l.sg, l.sb};
    const uint32_t b[3] = {l.br, l.bg, l.bb};
    for (int i = 0; i < 3; ++i) {
        v.c[i].mask = vb_splat16(m[i]);
        const uint32_t align = 16 - b[i] - s[i];
        v.c[i].alignmul = vb_splat16(align < 16 ? 1u << align : 0);
    }
    return v;
}

// min(t, m) for unsigned 16-bit lanes.
inline __m128i vb_minu16(__m128i t, __m128i m) {
    return _mm_sub_epi16(t, _mm_subs_epu16(t, m));
}

// Saturating add per channel: a 16-bit saturating add keeps the order against the mask.
inline __m128i vb_add16v(__m128i a, __m128i b, const VB_Layout16v &v) {
    __m128i out = _mm_setzero_si128();
    for (const VB_Chan16v &c : v.c) {
        __m128i t = _mm_adds_epu16(_mm_and_si128(a, c.mask), _mm_and_si128(b, c.mask));
        out = _mm_or_si128(out, vb_minu16(t, c.mask));
    }
    return out;
}

// ca * cb >> width in place: a's channel left-aligned in the word (a multiply by a power of two,
// cheaper than a shift by a register count) times b's channel where it stands; the high half
// holds the result at the channel's position, with discarded bits below it.
inline __m128i vb_mul16v(__m128i a, __m128i b, const VB_Layout16v &v) {
    __m128i out = _mm_setzero_si128();
    for (const VB_Chan16v &c : v.c) {
        __m128i x = _mm_mullo_epi16(_mm_and_si128(a, c.mask), c.alignmul);
        __m128i t = _mm_mulhi_epu16(x, _mm_and_si128(b, c.mask));
        out = _mm_or_si128(out, _mm_and_si128(t, c.mask));
    }
    return out;
}

// Per-channel c = ca * cb >> 8 on four 32-bit pixels, top byte 0.
inline __m128i vb_mul32v(__m128i a, __m128i b) {
    const __m128i z = _mm_setzero_si128();
    __m128i lo =
        _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, z), _mm_unpacklo_epi8(b, z)), 8);
    __m128i hi =
        _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, z), _mm_unpackhi_epi8(b, z)), 8);
    return _mm_and_si128(_mm_packus_epi16(lo, hi), _mm_set1_epi32(0x00FFFFFF));
}
#endif

// The per-channel 16-bit rules, plain and SSE2 form side by side for vb_chan16_span.
struct VB_Add16Rule {
    static uint32_t px(uint32_t a, uint32_t b, const VB_Layout16 &l) { return vb_add16(a, b, l); }
#if VB_SSE2
    static __m128i vec(__m128i a, __m128i b, const VB_Layout16v &v) {
        return vb_add16v(a, b, v);
    }
#endif
};
struct VB_Mul16Rule {
    static uint32_t px(uint32_t a, uint32_t b, const VB_Layout16 &l) { return vb_mul16(a, b, l); }
#if VB_SSE2
    static __m128i vec(__m128i a, __m128i b, const VB_Layout16v &v) {
        return vb_mul16v(a, b, v);
    }
#endif
};

// dst = Rule(a, b) over a span: eight pixels at a time where the layout is narrow, the plain
// rule for the rest. Keyed: where b is 0 (transparent) dst keeps its pixel.
template <class Rule, bool Keyed>
inline void vb_chan16_span(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    const VB_Layout16 l = vb_layout16();
    int32_t i = 0;
#if VB_SSE2
    if (l.narrow) {
        const VB_Layout16v v = vb_layout16v(l);
        for (; i + 8 <= n; i += 8) {
            const __m128i pb = vb_load(b + i);
            __m128i r = Rule::vec(vb_load(a + i), pb, v);
            if constexpr (Keyed)
                r = vb_select(_mm_cmpeq_epi16(pb, _mm_setzero_si128()), vb_load(dst + i), r);
            vb_store(dst + i, r);
        }
    }
#endif
    for (; i < n; ++i) {
        const uint32_t pb = b[i];
        const uint16_t r = static_cast<uint16_t>(Rule::px(a[i], pb, l));
        if constexpr (Keyed)
            dst[i] = pb != 0 ? r : dst[i];
        else
            dst[i] = r;
    }
}
