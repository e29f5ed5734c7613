#include "graphics/triangle_scan.h"

#include "graphics/video_state.h"

#include <utility>

void vrx_triangle_setup(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, vrx_triangle_edges *e) {
    // Swap only on a strictly smaller row, so equal rows keep their argument order.
    if (v1.y < v0.y) std::swap(v0, v1);
    if (v2.y < v0.y) std::swap(v0, v2);
    if (v2.y < v1.y) std::swap(v1, v2);
    // A flat top starts both edges at its left vertex.
    if (v0.y == v1.y && v1.x < v0.x) std::swap(v0, v1);
    e->a = v0;
    e->m = v1;
    e->b = v2;
    e->top = v0.y;
    e->mid = v1.y;
    e->bottom = v2.y;
    e->htb = e->bottom - e->top;
    e->htm = e->mid - e->top;
    e->hmb = e->bottom - e->mid;
    e->stb = vrx_edge_step((static_cast<int64_t>(v2.x) - v0.x) * 65536, e->htb);
    e->stm = vrx_edge_step((static_cast<int64_t>(v1.x) - v0.x) * 65536, e->htm);
    e->smb = vrx_edge_step((static_cast<int64_t>(v2.x) - v1.x) * 65536, e->hmb);
}

int64_t vrx_edge_step(int64_t delta, int64_t height) {
    if (height <= 0) return delta;
    // Screen-sized triangles fit the cheaper 32-bit division.
    if (delta == static_cast<int32_t>(delta) && height <= INT32_MAX)
        return static_cast<int32_t>(delta) / static_cast<int32_t>(height);
    return delta / height;
}

bool vrx_triangle_target(VRX_Bitmap bitmap) {
    if (!bitmap.data || bitmap.width <= 0 || bitmap.height <= 0) return false;
    uint64_t bytes = static_cast<uint64_t>(bitmap.width) * static_cast<uint64_t>(bitmap.height) *
                     (vrx_mode16() ? 2u : 4u);
    return bytes <= bitmap.size;
}
