// Span calls for the interpolating triangles. The kernels step 32-bit values, and edge
// clipping or huge vertices can hand over start values far outside that range. Only the low
// bits reach a pixel (bits 16-23 of a shade, bits 8-23 of u, bits 8-15 of v), so values and
// steps are cut to those bits first, and a span whose steps would still overflow on the way
// is split into pieces.
#include "graphics/triangle_scan.h"
#include "graphics/vornblit.h"
#include "video/video_state.h"

#include <algorithm>

namespace {
const int64_t SHADE_BITS = 1 << 24;
const int64_t U_BITS = 1 << 24;
const int64_t V_BITS = 1 << 16;

int64_t wrap_unsigned(int64_t value, int64_t range) {
    return value & (range - 1);
}
int64_t wrap_signed(int64_t value, int64_t range) {
    int64_t w = value & (range - 1);
    return w >= range / 2 ? w - range : w;
}
// Pixels a kernel can step from a start in [0, range) before leaving 32 bits.
int64_t span_limit(int64_t step, int64_t range) {
    int64_t s = step < 0 ? -step : step;
    return s == 0 ? INT32_MAX : (INT32_MAX - range) / s;
}
} // namespace

void vrx_span_shade(VRX_Bitmap bitmap, int32_t y, int32_t x, int32_t n, int64_t shade,
                    int64_t step) {
    int64_t s = wrap_unsigned(shade, SHADE_BITS);
    int64_t ds = wrap_signed(step, SHADE_BITS);
    int64_t piece = span_limit(ds, SHADE_BITS);
    bool mode16 = vrx_mode16();
    while (n > 0) {
        int32_t len = static_cast<int32_t>(std::min<int64_t>(n, piece));
        if (mode16)
            VornBlit_BlitFillShade16(vrx_row16(bitmap, y) + x, len, static_cast<int32_t>(s),
                                     static_cast<int32_t>(ds));
        else
            VornBlit_BlitFillShade32(vrx_row32(bitmap, y) + x, len, static_cast<int32_t>(s),
                                     static_cast<int32_t>(ds));
        s = wrap_unsigned(s + len * ds, SHADE_BITS);
        x += len;
        n -= len;
    }
}

void vrx_span_texture(VRX_Bitmap bitmap, const void *texture, int32_t y, int32_t x, int32_t n,
                      int64_t u, int64_t v, int64_t du, int64_t dv) {
    u = wrap_unsigned(u, U_BITS);
    v = wrap_unsigned(v, V_BITS);
    du = wrap_signed(du, U_BITS);
    dv = wrap_signed(dv, V_BITS);
    int64_t piece = std::min(span_limit(du, U_BITS), span_limit(dv, V_BITS));
    bool mode16 = vrx_mode16();
    while (n > 0) {
        int32_t len = static_cast<int32_t>(std::min<int64_t>(n, piece));
        if (mode16)
            VornBlit_BlitFillTexture16(vrx_row16(bitmap, y) + x,
                                       static_cast<const uint16_t *>(texture), len,
                                       static_cast<int32_t>(u), static_cast<int32_t>(v),
                                       static_cast<int32_t>(du), static_cast<int32_t>(dv));
        else
            VornBlit_BlitFillTexture32(vrx_row32(bitmap, y) + x,
                                       static_cast<const uint32_t *>(texture), len,
                                       static_cast<int32_t>(u), static_cast<int32_t>(v),
                                       static_cast<int32_t>(du), static_cast<int32_t>(dv));
        u = wrap_unsigned(u + len * du, U_BITS);
        v = wrap_unsigned(v + len * dv, V_BITS);
        x += len;
        n -= len;
    }
}
