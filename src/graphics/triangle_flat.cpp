#include "graphics/triangle.h"
#include "graphics/triangle_scan.h"
#include "graphics/vornblit.h"
#include "graphics/video_state.h"

#include <algorithm>

void VRX_DrawTriangle(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, uint32_t colour,
                      VRX_Bitmap bitmap) {
    if (!vrx_triangle_target(bitmap)) return;
    vrx_triangle_edges e;
    vrx_triangle_setup(v0, v1, v2, &e);
    // The short side restarts at m one row below the middle row, so on a flat top its
    // undivided step is the right slope to compare.
    bool longleft = e.stb < e.stm;
    int64_t ax = static_cast<int64_t>(e.a.x) * 65536;
    int64_t mx = static_cast<int64_t>(e.m.x) * 65536;
    int64_t first = std::max<int64_t>(e.top, 0);
    int64_t last = std::min<int64_t>(e.bottom, bitmap.height - 1);
    bool mode16 = vrx_mode16();
    for (int64_t y = first; y <= last; ++y) {
        int64_t k = y - e.top;
        int64_t lng = ax + k * e.stb;
        int64_t shrt = y <= e.mid ? ax + k * e.stm : mx + (y - e.mid - 1) * e.smb;
        int64_t xl = (longleft ? lng : shrt) >> 16;
        int64_t xr = (longleft ? shrt : lng) >> 16;
        if (xl >= bitmap.width || xr < 0) continue;
        xl = std::max<int64_t>(xl, 0);
        xr = std::min<int64_t>(xr, bitmap.width - 1);
        int32_t n = static_cast<int32_t>(xr - xl + 1);
        if (n <= 0) continue;
        int32_t row = static_cast<int32_t>(y), x = static_cast<int32_t>(xl);
        if (mode16)
            VornBlit_BlitFill16(vrx_row16(bitmap, row) + x, n, colour);
        else
            VornBlit_BlitFill32(vrx_row32(bitmap, row) + x, n, colour);
    }
}
