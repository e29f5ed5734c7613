// The handheld as the player sees it: a rounded, shaded body, a dark panel with a socket under
// every LED the device model lights, the buttons labelled with their keys, and the name.
#include "assets.h"
#include "glyphs.h"
#include "shapes.h"

namespace {
// Where the device model draws its LEDs.
const int32_t MATRIX_X = 206, MATRIX_Y = 356, MATRIX_STEP = 31;
const int32_t AUX_X = 210, AUX_Y = 115, AUX_STEP = 30;
const uint32_t LENS = 0x26282E;

const uint32_t LABEL = 0xDCE2FF;
const uint32_t RECESS = 0x1C2258;

void paint_background(VRX_Bitmap b) {
    for (int32_t y = 0; y < DEVICE_HEIGHT; y++)
        VRX_DrawHLine(0, DEVICE_WIDTH - 1, y, vertical_ramp(0x262A36, 0x0C0E13, y, 0, 479), b);
}

void paint_body(VRX_Bitmap b) {
    const double x = 24, y = 34, w = 592, h = 424, r = 52;
    round_box(x + 4, y + 10, w, h, r + 4, Flat{0x000000}, b, 70);
    round_box(x + 2, y + 5, w, h, r, Flat{0x000000}, b, 110);
    round_box(x, y, w, h, r, Flat{0x0B0D24}, b);
    round_box(x + 2, y + 2, w - 4, h - 4, r - 2, Ramp{0xA0AAF6, 0x1A1E50, 36, 456}, b);
    round_box(x + 5, y + 5, w - 10, h - 10, r - 5, Ramp{0x5C6AD2, 0x2A3286, 39, 453}, b);
    // A sheen over the upper face, fading out downwards in thin layers.
    for (int32_t layer = 0; layer < 8; layer++)
        round_box(x + 14, y + 9, w - 28, 60 + 14 * layer, r - 12, Flat{0xFFFFFF}, b, 3);
}

void paint_panel(VRX_Bitmap b) {
    round_box(164, 84, 302, 310, 21, Ramp{0x10132E, 0x9AA4F0, 84, 394}, b);
    round_box(167, 87, 296, 304, 18, Ramp{0x0E1014, 0x1B1E26, 87, 391}, b);
}

void paint_aux_windows(VRX_Bitmap b) {
    for (int32_t i = 0; i < 8; i++) {
        // Centred on the middle of the pixel the LED is centred on, as the LED disc is.
        double cx = AUX_X + AUX_STEP * i + 0.5, cy = AUX_Y + 0.5;
        disc(cx, cy, 9.5, Flat{0x050608}, b);
        disc(cx, cy, 8.0, Ramp{0x3A2608, 0x1C1204, AUX_Y - 8, AUX_Y + 8}, b);
        disc(cx - 2.5, cy - 3, 2.5, Flat{0xFFE0A0}, b, 40);
    }
}

void paint_sockets(VRX_Bitmap b) {
    for (int32_t row = 0; row < 8; row++) {
        for (int32_t col = 0; col < 8; col++) {
            int32_t cx = MATRIX_X + MATRIX_STEP * col, cy = MATRIX_Y - MATRIX_STEP * row;
            double mx = cx + 0.5, my = cy + 0.5; // the middle of the centre pixel
            disc(mx, my, 14.5, Flat{0x050608}, b);
            disc(mx, my, 13.6, Ramp{0x08090C, 0x4A4E5C, cy - 14, cy + 14}, b);
            // The lens is exactly the disc the device model lights.
            VRX_DrawFilledCircle(cx, cy, 12, LENS, b);
            disc(mx - 4.5, my - 5, 3, Flat{0x60646E}, b, 120);
        }
    }
}

// An arrow head in a box of 14 x 9 pointing up, turned by quarter turns.
struct Arrow {
    double cx, cy;
    int32_t turns; // 0 up, 1 right, 2 down, 3 left
    bool operator()(double px, double py) const {
        double u = px - cx, v = py - cy;
        for (int32_t t = 0; t < turns; t++) { // rotate the point back towards "up"
            double nu = v, nv = -u;
            u = nu;
            v = nv;
        }
        // Apex at v = -5, base at v = +4, half-width growing to 7.
        return v >= -5 && v <= 4 && std::fabs(u) <= (v + 5) * 7.0 / 9.0;
    }
};

void paint_button(double cx, double cy, int32_t turns, VRX_Bitmap b) {
    const double half = 17;
    round_box(cx - half + 1, cy - half + 3, 2 * half, 2 * half, 8, Flat{0x000000}, b, 120);
    round_box(cx - half, cy - half, 2 * half, 2 * half, 8,
              Ramp{0xF4F5FA, 0x9EA2B4, int32_t(cy - half), int32_t(cy + half)}, b);
    round_box(cx - half + 3, cy - half + 3, 2 * half - 6, 2 * half - 6, 6,
              Ramp{0xE2E4EE, 0xC4C7D4, int32_t(cy - half), int32_t(cy + half)}, b);
    fill_shape(int32_t(cx - 9), int32_t(cy - 9), int32_t(cx + 9), int32_t(cy + 9),
               Arrow{cx, cy, turns}, Flat{0x2A2F4A}, b);
}

void paint_dpad(VRX_Bitmap b) {
    const double cx = 100, cy = 246, step = 40;
    round_box(cx - 62, cy - 22, 124, 44, 12, Flat{RECESS}, b);
    round_box(cx - 22, cy - 62, 44, 124, 12, Flat{RECESS}, b);
    disc(cx, cy, 7, Flat{0x12163E}, b);
    paint_button(cx, cy - step, 0, b);
    paint_button(cx + step, cy, 1, b);
    paint_button(cx, cy + step, 2, b);
    paint_button(cx - step, cy, 3, b);
    paint_text_centred(int32_t(cx), 322, 2, 2, "ARROW KEYS", LABEL, b);
}

void paint_round_button(double cx, double cy, const char *letter, const char *key, VRX_Bitmap b) {
    const double r = 23;
    disc(cx, cy, r + 4, Flat{RECESS}, b);
    disc(cx + 1, cy + 3, r, Flat{0x000000}, b, 120);
    disc(cx, cy, r, Ramp{0xFF7A78, 0xA81E34, int32_t(cy - r), int32_t(cy + r)}, b);
    disc(cx - 7, cy - 9, 8, Flat{0xFFFFFF}, b, 60);
    paint_text_centred(int32_t(cx) + 1, int32_t(cy) - 10 + 1, 3, 3, letter, 0x6A1020, b);
    paint_text_centred(int32_t(cx), int32_t(cy) - 10, 3, 3, letter, 0xFFFFFF, b);
    paint_text_centred(int32_t(cx), int32_t(cy + r) + 9, 2, 2, key, LABEL, b);
}

// The name in the device's own dot-matrix style, every letter another LED colour.
void paint_name(VRX_Bitmap b) {
    const char *name = "GlowbyJr";
    const uint32_t colours[8] = {0xFF4040, 0xFF9A20, 0xFFE030, 0x50E050,
                                 0x30D0E0, 0x5080FF, 0xB060FF, 0xFF60C0};
    const int32_t pitch = 4, x0 = 320 - (6 * 8 - 1) * pitch / 2, y0 = 50;
    for (int32_t i = 0; name[i]; i++) {
        const uint8_t *rows = glyph_rows[name[i] - 32];
        for (int32_t r = 0; r < 7; r++) {
            for (int32_t c = 0; c < 5; c++) {
                if (!(rows[r] & (0x10 >> c))) continue;
                double px = x0 + (6 * i + c) * pitch + 1.5, py = y0 + r * pitch + 1.5;
                disc(px + 0.8, py + 1.2, 2.0, Flat{0x0A0C28}, b, 160);
                disc(px, py, 2.0, Flat{colours[i]}, b);
                disc(px - 0.5, py - 0.5, 0.9, Flat{0xFFFFFF}, b, 110);
            }
        }
    }
}

// A groove pressed into the face, following the body's outline.
void paint_groove(VRX_Bitmap b) {
    const double x = 34, y = 44, w = 572, h = 404, r = 42;
    auto ring = [](RoundBox outer, RoundBox inner) {
        return [=](double px, double py) { return outer(px, py) && !inner(px, py); };
    };
    fill_shape(int32_t(x), int32_t(y), int32_t(x + w + 1), int32_t(y + h + 1),
               ring(RoundBox{x + 1, y + 1, w, h, r},
                    RoundBox{x + 2.2, y + 2.2, w - 2.4, h - 2.4, r - 1.2}),
               Flat{0xFFFFFF}, b, 50);
    fill_shape(int32_t(x), int32_t(y), int32_t(x + w), int32_t(y + h),
               ring(RoundBox{x, y, w, h, r}, RoundBox{x + 1.2, y + 1.2, w - 2.4, h - 2.4, r - 1.2}),
               Flat{0x000000}, b, 90);
}

// Lettering pressed into the face: a dark edge above, a light one below.
void paint_engraved(int32_t cx, int32_t y, int32_t sx, int32_t sy, const char *text, VRX_Bitmap b) {
    paint_text_centred(cx, y + 1, sx, sy, text, 0x8890E0, b);
    paint_text_centred(cx, y - 1, sx, sy, text, 0x161A48, b);
    paint_text_centred(cx, y, sx, sy, text, 0x3A4496, b);
}

void paint_power_led(VRX_Bitmap b) {
    disc(62, 414, 5.5, Flat{0x101430}, b);
    disc(62, 414, 4.2, Ramp{0x90FF90, 0x20A040, 410, 418}, b);
    disc(62, 414, 9, Flat{0x60FF80}, b, 30);
    paint_engraved(96, 411, 1, 1, "POWER", b);
}

void paint_speaker(VRX_Bitmap b) {
    for (int32_t row = 0; row < 3; row++)
        for (int32_t col = 0; col < 6; col++)
            disc(516 + 14 * col + 7 * (row & 1), 398 + 12 * row, 3.2, Flat{0x141838}, b);
}
} // namespace

void paint_device(VRX_Bitmap b) {
    paint_background(b);
    paint_body(b);
    paint_groove(b);
    paint_panel(b);
    paint_aux_windows(b);
    paint_sockets(b);
    paint_dpad(b);
    paint_round_button(566, 206, "A", "SPACE", b);
    paint_round_button(498, 254, "B", "CTRL", b);
    paint_name(b);
    paint_speaker(b);
    paint_power_led(b);
    paint_engraved(315, 404, 2, 2, "8X8 RGB", b);
}
