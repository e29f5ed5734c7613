#include "image/image_internal.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VRX_IMAGE_SSSE3 1
#endif

// Four pixels from three little-endian words.
static void row_from_bgr_words(const uint8_t *p, int32_t n, uint32_t *out) {
    int32_t i = 0;
    for (; i + 4 <= n; i += 4, p += 12) {
        const uint32_t a = vrx_le32(p), b = vrx_le32(p + 4), c = vrx_le32(p + 8);
        out[i] = 0xFF000000u | a;
        out[i + 1] = 0xFF000000u | a >> 24 | b << 8;
        out[i + 2] = 0xFF000000u | b >> 16 | c << 16;
        out[i + 3] = 0xFF000000u | c >> 8;
    }
    for (; i < n; i++, p += 3) out[i] = vrx_from_bgr(p);
}

#ifdef VRX_IMAGE_SSSE3
// One byte shuffle spreads four pixels to words. A 16-byte load covers 5 1/3 pixels, so the
// last few pixels of the row take the word loop and nothing past the row is read.
__attribute__((target("ssse3"))) static void row_from_bgr_ssse3(const uint8_t *p, int32_t n,
                                                                uint32_t *out) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(int32_t(0xFF000000u));
    int32_t i = 0;
    for (; i + 6 <= n; i += 4, p += 12) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i),
                         _mm_or_si128(_mm_shuffle_epi8(v, spread), opaque));
    }
    row_from_bgr_words(p, n - i, out + i);
}
#endif

void vrx_row_from_bgr(const uint8_t *p, int32_t n, uint32_t *out) {
#ifdef VRX_IMAGE_SSSE3
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) return row_from_bgr_ssse3(p, n, out);
#endif
    row_from_bgr_words(p, n, out);
}
