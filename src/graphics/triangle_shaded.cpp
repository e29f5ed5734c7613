#include "graphics/triangle.h"
#include "graphics/triangle_scan.h"

#include <algorithm>

void VRX_DrawTriangleShaded(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, VRX_Bitmap bitmap) {
    if (!vrx_triangle_target(bitmap)) return;
    vrx_triangle_edges e;
    vrx_triangle_setup(v0, v1, v2, &e);
    const bool longleft = vrx_long_left(e);
    int64_t sa = e.a.shade & 0xFF, sm = e.m.shade & 0xFF, sb = e.b.shade & 0xFF;
    int64_t itb = vrx_edge_step((sb - sa) * 65536, e.htb);
    int64_t itm = vrx_edge_step((sm - sa) * 65536, e.htm);
    int64_t imb = vrx_edge_step((sb - sm) * 65536, e.hmb);
    int64_t istep = ((sm - (((e.htm * itb) >> 16) + sa)) * 65536) / vrx_mid_width(e);

    vrx_triangle_rows(e, longleft, bitmap, [&](int64_t y, int64_t k, int64_t xl, int64_t xr) {
        int64_t shade = sa * 65536 + (longleft ? k * itb : vrx_edge_at(0, k, e.htm, itm, imb));
        if (xl < 0) {
            shade -= xl * istep;
            xl = 0;
        }
        // xr is the first pixel past the span, so clipping it at the width keeps the last column.
        xr = std::min<int64_t>(xr, bitmap.width);
        if (xr - xl <= 0) return;
        vrx_span_shade(bitmap, static_cast<int32_t>(y), static_cast<int32_t>(xl),
                       static_cast<int32_t>(xr - xl), shade, istep);
    });
}
