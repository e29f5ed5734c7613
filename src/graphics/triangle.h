// Filled triangles (flat colour, grey Gouraud, affine texture) and the perspective textured span.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/vertex.h"

void VRX_DrawTriangle(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, uint32_t colour,
                      VRX_Bitmap bitmap);
void VRX_DrawTriangleShaded(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, VRX_Bitmap bitmap);
// Texture: the data of VRX_texture1 as 256 x 256 pixels of the current depth.
void VRX_DrawTriangleTextured(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, VRX_Bitmap bitmap);

// One 32-bit span of count pixels, perspective-correct every 16 pixels and linear in between.
// uw, vw, w and their per-pixel steps are plain integers; u = uw / w and v = vw / w.
void persptextfill_c(uint32_t *dst, const uint32_t *texture, int32_t count, int32_t uw, int32_t vw,
                     int32_t w, int32_t duw, int32_t dvw, int32_t dw);
