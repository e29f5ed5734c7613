// Clipped pixel and span writers shared by the primitives. Positions are 64-bit so that sums
// such as cx + r or x + width never overflow before they are clipped.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/vornblit.h"
#include "graphics/video_state.h"

inline void vrx_plot(int64_t x, int64_t y, uint32_t colour, const VRX_Bitmap &b) {
    if (!b.data || x < 0 || x >= b.width || y < 0 || y >= b.height) return;
    int32_t xi = static_cast<int32_t>(x), yi = static_cast<int32_t>(y);
    if (vrx_mode16())
        vrx_row16(b, yi)[xi] = static_cast<uint16_t>(VornBlit_color24to16(colour));
    else
        vrx_row32(b, yi)[xi] = colour;
}

// Fills n pixels from (x, y); the caller has clipped the span and n > 0.
inline void vrx_fill_span(int32_t x, int32_t y, int32_t n, uint32_t colour, const VRX_Bitmap &b) {
    if (vrx_mode16())
        VornBlit_BlitFill16(vrx_row16(b, y) + x, n, colour);
    else
        VornBlit_BlitFill32(vrx_row32(b, y) + x, n, colour);
}

// The horizontal span rule: x1 is the left end, and a span that clips to one pixel is skipped.
inline void vrx_hline(int64_t x1, int64_t x2, int64_t y, uint32_t colour, const VRX_Bitmap &b) {
    if (!b.data || y < 0 || y >= b.height) return;
    int64_t start = x1 < 0 ? 0 : x1;
    int64_t end = x2 >= b.width ? static_cast<int64_t>(b.width) - 1 : x2;
    if (end - start <= 0) return;
    vrx_fill_span(static_cast<int32_t>(start), static_cast<int32_t>(y),
                  static_cast<int32_t>(end - start + 1), colour, b);
}

// Every pixel of a straight line from a to b along one axis, either direction, both ends
// included: what the line drawer gives for a horizontal or vertical line.
void vrx_axis_line(int64_t a, int64_t b, int64_t fixed, bool horizontal, uint32_t colour,
                   const VRX_Bitmap &bitmap);
