// The rare spans whose steps would overflow a kernel's 32-bit values in one call: values
// come in already cut to their bits and go out piece by piece, each straight to the kernel.
#include "graphics/triangle_scan.h"

#include <algorithm>

static int64_t piece_length(int64_t step, int64_t range) {
    int64_t s = step < 0 ? -step : step;
    return s == 0 ? INT32_MAX : (INT32_MAX - range) / s;
}

void vrx_span_shade_pieces(VRX_Bitmap bitmap, int32_t y, int32_t x, int32_t n, int64_t shade,
                           int64_t step) {
    int64_t piece = piece_length(step, VRX_SHADE_RANGE);
    while (n > 0) {
        int32_t len = static_cast<int32_t>(std::min<int64_t>(n, piece));
        vrx_kernel_shade(bitmap, y, x, len, shade, step);
        shade = vrx_wrap_unsigned(shade + len * step, VRX_SHADE_RANGE);
        x += len;
        n -= len;
    }
}

void vrx_span_texture_pieces(VRX_Bitmap bitmap, const void *texture, int32_t y, int32_t x,
                             int32_t n, int64_t u, int64_t v, int64_t du, int64_t dv) {
    int64_t piece = std::min(piece_length(du, VRX_U_RANGE), piece_length(dv, VRX_V_RANGE));
    while (n > 0) {
        int32_t len = static_cast<int32_t>(std::min<int64_t>(n, piece));
        vrx_kernel_texture(bitmap, texture, y, x, len, u, v, du, dv);
        u = vrx_wrap_unsigned(u + len * du, VRX_U_RANGE);
        v = vrx_wrap_unsigned(v + len * dv, VRX_V_RANGE);
        x += len;
        n -= len;
    }
}
