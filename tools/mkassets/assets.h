// The game's three asset pictures, painted with the library's drawing calls.
#pragma once
#include "graphics/bitmap.h"

enum : int32_t {
    DEVICE_WIDTH = 640,
    DEVICE_HEIGHT = 480,
    SHEET_WIDTH = 640,
    SHEET_HEIGHT = 481,
    STRIP_WIDTH = 618,
    STRIP_HEIGHT = 20
};

// The sprite and font transparency key, and the colour that marks where a cut begins.
const uint32_t KEY_COLOUR = 0xFF00FF;
const uint32_t MARK_COLOUR = 0xFFFFFF;

void paint_device(VRX_Bitmap picture);   // the handheld, 640x480
void paint_led_sheet(VRX_Bitmap sheet);  // LED glow images under a marker row, 640x481
void paint_font_strip(VRX_Bitmap strip); // 95 glyphs 19 pixels high under a marker row, 618x20
