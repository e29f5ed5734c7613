#include "graphics/primitives.h"
#include "graphics/triangle.h"
#include "graphics/triangle_scan.h"
#include "graphics/video_state.h"

#include <algorithm>

// The kernels index a whole 256 x 256 texture of the current depth.
static bool texture_ok(VRX_Bitmap texture) {
    return texture.data && texture.size >= 65536u * (vrx_mode16() ? 2u : 4u);
}

void VRX_DrawTriangleTextured(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, VRX_Bitmap bitmap) {
    if (!vrx_triangle_target(bitmap) || !texture_ok(VRX_texture1)) return;
    vrx_triangle_edges e;
    vrx_triangle_setup(v0, v1, v2, &e);
    const bool longleft = vrx_long_left(e);
    int64_t ua = e.a.u & 0xFF, um = e.m.u & 0xFF, ub = e.b.u & 0xFF;
    int64_t va = e.a.v & 0xFF, vm = e.m.v & 0xFF, vb = e.b.v & 0xFF;
    int64_t dutb = vrx_edge_step((ub - ua) * 256, e.htb);
    int64_t dutm = vrx_edge_step((um - ua) * 256, e.htm);
    int64_t dumb = vrx_edge_step((ub - um) * 256, e.hmb);
    int64_t dvtb = vrx_edge_step((vb - va) * 256, e.htb);
    int64_t dvtm = vrx_edge_step((vm - va) * 256, e.htm);
    int64_t dvmb = vrx_edge_step((vb - vm) * 256, e.hmb);
    const int64_t w = vrx_mid_width(e);
    int64_t dudx = ((um - (((dutb * e.htm) >> 8) + ua)) * 256) / w;
    int64_t dvdx = ((vm - (((dvtb * e.htm) >> 8) + va)) * 256) / w;

    vrx_triangle_rows(e, longleft, bitmap, [&](int64_t y, int64_t k, int64_t xl, int64_t xr) {
        int64_t u = ua * 256 + (longleft ? k * dutb : vrx_edge_at(0, k, e.htm, dutm, dumb));
        int64_t v = va * 256 + (longleft ? k * dvtb : vrx_edge_at(0, k, e.htm, dvtm, dvmb));
        if (xl < 0) {
            u -= xl * dudx;
            v -= xl * dvdx;
            xl = 0;
        }
        xr = std::min<int64_t>(xr, bitmap.width - 1);
        if (xr - xl + 1 <= 0) return;
        vrx_span_texture(bitmap, VRX_texture1.data, static_cast<int32_t>(y),
                         static_cast<int32_t>(xl), static_cast<int32_t>(xr - xl + 1), u, v, dudx,
                         dvdx);
    });
}
