#include "graphics/primitives.h"
#include "graphics/primitives_plot.h"

void VRX_DrawBox(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                 VRX_Bitmap bitmap) {
    if (!bitmap.data) return;
    int64_t left = x, right = static_cast<int64_t>(x) + width;
    if (width < 0) {
        left = right;
        right = x;
    }
    int64_t top = y, bottom = static_cast<int64_t>(y) + height;
    if (height < 0) {
        top = bottom;
        bottom = y;
    }
    if (right < 0 || bottom < 0 || left >= bitmap.width || top >= bitmap.height) return;
    // Four lines as the line drawer would draw them; a zero size still gives two-pixel edges.
    vrx_axis_line(left, right - 1, top, true, colour, bitmap);
    vrx_axis_line(left, right - 1, bottom - 1, true, colour, bitmap);
    vrx_axis_line(top, bottom - 1, left, false, colour, bitmap);
    vrx_axis_line(top, bottom - 1, right - 1, false, colour, bitmap);
}

void VRX_DrawFilledBox(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                       VRX_Bitmap bitmap) {
    if (!bitmap.data) return;
    // A negative size is an empty box, not a mirrored one.
    int64_t right = static_cast<int64_t>(x) + (width < 0 ? 0 : width);
    int64_t bottom = static_cast<int64_t>(y) + (height < 0 ? 0 : height);
    int64_t left = x < 0 ? 0 : x, top = y < 0 ? 0 : y;
    if (right > bitmap.width) right = bitmap.width;
    if (bottom > bitmap.height) bottom = bitmap.height;
    if (right < 0 || bottom < 0 || left >= bitmap.width || top >= bitmap.height) return;
    if (top >= bottom || left >= right) return;
    int32_t n = static_cast<int32_t>(right - left);
    // Full-width rows lie end to end: one span, so the fill runs its wide stores without a break.
    const int64_t all = (bottom - top) * n;
    if (n == bitmap.width && all <= INT32_MAX) {
        vrx_fill_span(0, static_cast<int32_t>(top), static_cast<int32_t>(all), colour, bitmap);
        return;
    }
    for (int64_t row = top; row < bottom; ++row)
        vrx_fill_span(static_cast<int32_t>(left), static_cast<int32_t>(row), n, colour, bitmap);
}
