#include "graphics/triangle.h"

#include <limits>

namespace {
// Truncates toward zero. Out of range (w near 0, or 0) saturates and NaN gives 0, where a
// plain conversion would be undefined.
int32_t persp_coord(float value) {
    if (!(value == value)) return 0;
    if (value >= 2147483648.0f) return INT32_MAX;
    if (value <= -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(value);
}
float persp_scale(int32_t w) {
    return w == 0 ? std::numeric_limits<float>::infinity() : static_cast<float>(65536.0 / w);
}
// The homogeneous values wrap like the 32-bit words they are.
int32_t advance16(int32_t value, int32_t step) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + 16u * static_cast<uint32_t>(step));
}
} // namespace

void persptextfill_c(uint32_t *dst, const uint32_t *texture, int32_t count, int32_t uw, int32_t vw,
                     int32_t w, int32_t duw, int32_t dvw, int32_t dw) {
    if (count <= 0) return;
    float k = persp_scale(w);
    int32_t u0 = persp_coord(static_cast<float>(uw) * k);
    int32_t v0 = persp_coord(static_cast<float>(vw) * k);
    uw = advance16(uw, duw);
    vw = advance16(vw, dvw);
    w = advance16(w, dw);
    k = persp_scale(w);
    while (count > 0) {
        int32_t n = count > 15 ? 16 : (count & 15);
        count -= 16;
        int32_t u1 = persp_coord(static_cast<float>(uw) * k);
        int32_t v1 = persp_coord(static_cast<float>(vw) * k);
        uint32_t du = static_cast<uint32_t>((static_cast<int64_t>(u1) - u0) >> 4);
        uint32_t dv = static_cast<uint32_t>((static_cast<int64_t>(v1) - v0) >> 4);
        uw = advance16(uw, duw);
        vw = advance16(vw, dvw);
        w = advance16(w, dw);
        k = persp_scale(w);
        // Unsigned steps wrap instead of overflowing; the index keeps 16 bits, so the row
        // is v's integer part modulo 256 and a column past 255 runs into the next row.
        // Only the index bits are used, which come out the same as with signed shifts.
        uint32_t u = static_cast<uint32_t>(u0), v = static_cast<uint32_t>(v0);
        for (int32_t i = 0; i < n; ++i) {
            dst[i] = texture[(((v >> 8) & 0xFF00) + (u >> 16)) & 0xFFFF];
            u += du;
            v += dv;
        }
        dst += n;
        u0 = u1;
        v0 = v1;
    }
}
