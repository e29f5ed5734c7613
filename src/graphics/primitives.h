// Pixels, lines, boxes, circles, Bezier curves and wireframe triangles. Colours are 0xRRGGBB.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/vertex.h"

// Modes of VRX_DrawBlendPixel; any other mode writes nothing.
enum VRX_PixelMode : int32_t {
    VRX_PIXEL_REPLACE = 0,
    VRX_PIXEL_AVERAGE = 1,
    VRX_PIXEL_ADD = 2, // per channel, clamped
};

extern uint8_t VRX_opacity;
extern VRX_Bitmap VRX_texture1;
extern const int32_t VRX_circletab[1024];

void VRX_SetPrimitiveOpacity(uint8_t opacity);
void VRX_SetPrimitiveTexture(VRX_Bitmap texture);
void VRX_SetPrimitiveDualTexture(VRX_Bitmap first, VRX_Bitmap second);

uint32_t VRX_GetPixel(int32_t x, int32_t y, VRX_Bitmap bitmap);
void VRX_DrawPixel(int32_t x, int32_t y, uint32_t colour, VRX_Bitmap bitmap);
void VRX_DrawHLine(int32_t x1, int32_t x2, int32_t y, uint32_t colour, VRX_Bitmap bitmap);
void VRX_DrawVLine(int32_t x, int32_t y1, int32_t y2, uint32_t colour, VRX_Bitmap bitmap);
void VRX_DrawBlendPixel(int32_t x, int32_t y, uint32_t colour, VRX_Bitmap bitmap, int32_t mode);
void VRX_DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour,
                  VRX_Bitmap bitmap);
void VRX_DrawBezier(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    int32_t x3, int32_t y3, int32_t detail, uint32_t colour, VRX_Bitmap bitmap);
void VRX_DrawBox(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                 VRX_Bitmap bitmap);
void VRX_DrawFilledBox(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                       VRX_Bitmap bitmap);
void VRX_DrawCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour, VRX_Bitmap bitmap);
void VRX_DrawFilledCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour,
                          VRX_Bitmap bitmap);
void VRX_DrawTriangleWireframe(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, uint32_t colour,
                               VRX_Bitmap bitmap);
