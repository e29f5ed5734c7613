#include "graphics/bitmap.h"
#include "graphics/vornblit.h"
#include "graphics/vornblit_simd.h"

#include <cstring>

// A span in 32-byte stores (one AVX2 register in the avx2 clone, two SSE2 ones otherwise). The
// first and last store may overlap the others, which is harmless when every pixel gets the same
// value, so no span needs a pixel-by-pixel head or tail; the stores between are aligned.
template <class T, class V>
__attribute__((always_inline)) inline void vb_fill_span(T *dst, int32_t n, T px) {
    const V v = V{} + px;
    constexpr int32_t L = sizeof(V) / sizeof(T), HALF = sizeof(V) / 2;
    if (n < L / 2) {
        for (int32_t i = 0; i < n; ++i) dst[i] = px;
        return;
    }
    if (n < L) {
        std::memcpy(dst, &v, HALF);
        std::memcpy(dst + n - L / 2, &v, HALF);
        return;
    }
    std::memcpy(dst, &v, sizeof v);
    int32_t i = static_cast<int32_t>(
        (sizeof v - (reinterpret_cast<uintptr_t>(dst) & (sizeof v - 1))) / sizeof(T));
    for (; i <= n - 4 * L; i += 4 * L) {
        std::memcpy(dst + i, &v, sizeof v);
        std::memcpy(dst + i + L, &v, sizeof v);
        std::memcpy(dst + i + 2 * L, &v, sizeof v);
        std::memcpy(dst + i + 3 * L, &v, sizeof v);
    }
    for (; i <= n - L; i += L) std::memcpy(dst + i, &v, sizeof v);
    std::memcpy(dst + n - L, &v, sizeof v);
}

typedef uint32_t VB_U32v __attribute__((vector_size(32)));

__attribute__((always_inline)) static inline void vb_fill16(uint16_t *dst, int32_t n,
                                                            uint32_t colour) {
    vb_fill_span<uint16_t, VB_U16v>(dst, n, static_cast<uint16_t>(VornBlit_color24to16(colour)));
}

__attribute__((always_inline)) static inline void vb_fill32(uint32_t *dst, int32_t n,
                                                            uint32_t colour) {
    vb_fill_span<uint32_t, VB_U32v>(dst, n, colour);
}

VB_CLONES void VornBlit_BlitFill16(uint16_t *dst, int32_t n, uint32_t colour) {
    VB_CLONED(vb_fill16, dst, n, colour);
}

VB_CLONES void VornBlit_BlitFill32(uint32_t *dst, int32_t n, uint32_t colour) {
    VB_CLONED(vb_fill32, dst, n, colour);
}
