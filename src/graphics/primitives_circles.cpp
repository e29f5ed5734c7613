#include "graphics/primitives.h"
#include "graphics/primitives_plot.h"

// Largest radius for which r * 65536 still fits in 32 bits, so the table walk is the same in
// any width; beyond it the walk breaks down (overflow, then a zero step that gives a square), and
// the loop would run for up to a billion steps. Larger radii are drawn at this radius.
static const int32_t CIRCLE_MAX_RADIUS = 32767;

// The next y of the quarter-circle walk; indices past the table's end stand for the full
// radius and count as 0.
static int32_t circle_y(int32_t r, int32_t acc) {
    int32_t i = acc >> 6;
    int32_t t = (i >= 0 && i < 1024) ? VRX_circletab[i] : 0;
    return (r * t) >> 16;
}

void VRX_DrawCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour, VRX_Bitmap bitmap) {
    if (!bitmap.data) return;
    int32_t r = radius;
    if (r > CIRCLE_MAX_RADIUS) r = CIRCLE_MAX_RADIUS;
    if (r < -CIRCLE_MAX_RADIUS) r = -CIRCLE_MAX_RADIUS;
    int32_t step = r > 0 ? 65536 / r : 0;
    int32_t x = 0, acc = 0, y = r - 1;
    int64_t X = cx, Y = cy;
    do {
        vrx_plot(X + x, Y + y, colour, bitmap);
        vrx_plot(X + y, Y + x, colour, bitmap);
        vrx_plot(X - x, Y + y, colour, bitmap);
        vrx_plot(X - y, Y + x, colour, bitmap);
        vrx_plot(X + x, Y - y, colour, bitmap);
        vrx_plot(X + y, Y - x, colour, bitmap);
        vrx_plot(X - x, Y - y, colour, bitmap);
        vrx_plot(X - y, Y - x, colour, bitmap);
        ++x;
        acc += step;
        y = circle_y(r, acc);
    } while (x <= y);
}

void VRX_DrawFilledCircle(int32_t cx, int32_t cy, int32_t radius, uint32_t colour,
                          VRX_Bitmap bitmap) {
    if (!bitmap.data) return;
    int64_t r64 = radius < 0 ? -static_cast<int64_t>(radius) : radius;
    int32_t r = r64 > CIRCLE_MAX_RADIUS ? CIRCLE_MAX_RADIUS : static_cast<int32_t>(r64);
    int64_t X = cx, Y = cy;
    if (r <= 1) {
        vrx_plot(X, Y, colour, bitmap);
        return;
    }
    if (r <= 3) {
        vrx_plot(X, Y, colour, bitmap);
        vrx_plot(X + 1, Y, colour, bitmap);
        vrx_plot(X, Y + 1, colour, bitmap);
        vrx_plot(X + 1, Y + 1, colour, bitmap);
        return;
    }
    // Each row is filled once, with the widest span the walk gives it: the union of centred spans
    // is the widest one, so the pixels are those of drawing every span.
    int32_t step = 65536 / r;
    int32_t x = 0, acc = 0, y = r;
    for (;;) {
        // Rows x away from the centre take the long spans; each x comes once.
        vrx_hline(X - y, X + y, Y + x, colour, bitmap);
        if (x > 0) vrx_hline(X - y, X + y, Y - x, colour, bitmap);
        acc += step;
        const int32_t next = circle_y(r, acc);
        const bool last = x + 1 > next;
        // Rows y away take the short spans, widest at the last x before y falls (it never
        // rises); at the end y may equal x, a row already drawn.
        if ((next != y || last) && y > x) {
            vrx_hline(X - x, X + x, Y + y, colour, bitmap);
            vrx_hline(X - x, X + x, Y - y, colour, bitmap);
        }
        if (last) break;
        ++x;
        y = next;
    }
}
