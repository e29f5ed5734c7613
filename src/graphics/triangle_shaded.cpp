#include "graphics/triangle.h"
#include "graphics/triangle_scan.h"

#include <algorithm>

void VRX_DrawTriangleShaded(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, VRX_Bitmap bitmap) {
    if (!vrx_triangle_target(bitmap)) return;
    vrx_triangle_edges e;
    vrx_triangle_setup(v0, v1, v2, &e);
    // Both sides start on the top row here, so a flat top has the long edge on the left
    // whenever m lies right of a.
    bool longleft = e.stb < e.stm || (e.htm == 0 && e.m.x > e.a.x);
    int64_t sa = e.a.shade & 0xFF, sm = e.m.shade & 0xFF, sb = e.b.shade & 0xFF;
    int64_t itb = vrx_edge_step((sb - sa) * 65536, e.htb);
    int64_t itm = vrx_edge_step((sm - sa) * 65536, e.htm);
    int64_t imb = vrx_edge_step((sb - sm) * 65536, e.hmb);
    // Span width and shade change at the middle row give the one step across every span.
    int64_t w = e.m.x - (((e.stb * e.htm) >> 16) + e.a.x);
    if (w == 0) w = 1;
    int64_t istep = ((sm - (((e.htm * itb) >> 16) + sa)) * 65536) / w;

    int64_t ax = static_cast<int64_t>(e.a.x) * 65536;
    int64_t short0 = e.htm == 0 ? static_cast<int64_t>(e.m.x) * 65536 : ax;
    int64_t first = std::max<int64_t>(e.top, 0);
    int64_t last = std::min<int64_t>(e.bottom - 1, bitmap.height - 1);
    for (int64_t y = first; y <= last; ++y) {
        int64_t k = y - e.top;
        int64_t lng = ax + k * e.stb;
        int64_t shrt = vrx_edge_at(short0, k, e.htm, e.stm, e.smb);
        int64_t shade = sa * 65536 + (longleft ? k * itb : vrx_edge_at(0, k, e.htm, itm, imb));
        int64_t xl = (longleft ? lng : shrt) >> 16;
        int64_t xr = (longleft ? shrt : lng) >> 16; // first pixel past the span
        if (xl >= bitmap.width || xr < 0) continue;
        if (xl < 0) {
            shade -= xl * istep;
            xl = 0;
        }
        // The right end is exclusive, so clipping it at the width keeps the last column.
        xr = std::min<int64_t>(xr, bitmap.width);
        if (xr - xl <= 0) continue;
        vrx_span_shade(bitmap, static_cast<int32_t>(y), static_cast<int32_t>(xl),
                       static_cast<int32_t>(xr - xl), shade, istep);
    }
}
