// Scan conversion shared by the filled triangles. Positions, steps and interpolated values
// are kept in 64 bits so that no vertex coordinate can overflow an edge walk.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/vertex.h"

struct vrx_triangle_edges {
    VRX_Vertex a; // where the long edge and the first short edge start
    VRX_Vertex m; // the other top-half vertex: the short edges meet here
    VRX_Vertex b; // bottom
    int64_t top, mid, bottom;
    int64_t htb, htm, hmb;
    int64_t stb, stm, smb; // 16.16 x steps per row
};

// Sorts by row and picks a and m; fills heights and x steps.
void vrx_triangle_setup(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, vrx_triangle_edges *e);
// delta / height when the height is positive, else delta itself.
int64_t vrx_edge_step(int64_t delta, int64_t height);
// A value that starts at start, steps by step0 for the first rows1 rows and by step1 after.
inline int64_t vrx_edge_at(int64_t start, int64_t k, int64_t rows1, int64_t step0, int64_t step1) {
    return k <= rows1 ? start + k * step0 : start + rows1 * step0 + (k - rows1) * step1;
}
// The target holds width x height pixels of the current depth.
bool vrx_triangle_target(VRX_Bitmap bitmap);

// Spans in the current depth; x and n already clipped to the row.
void vrx_span_shade(VRX_Bitmap bitmap, int32_t y, int32_t x, int32_t n, int64_t shade,
                    int64_t step);
void vrx_span_texture(VRX_Bitmap bitmap, const void *texture, int32_t y, int32_t x, int32_t n,
                      int64_t u, int64_t v, int64_t du, int64_t dv);
