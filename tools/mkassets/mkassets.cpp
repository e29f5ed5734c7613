// mkassets: paints the game's asset pictures with the library and writes them as TGA files,
// ready for vornpack to append to the game.
#include "assets.h"
#include "tga_write.h"

#include "graphics/bitmap.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

static const char *const HELP =
    "Usage: mkassets DIR\n"
    "\n"
    "Paints the game's asset pictures and writes them into DIR (created if missing):\n"
    "  glowbyjr.tga   the handheld, 640x480, true colour, 24 bits\n"
    "  leds.tga       LED glow images under a marker row, 640x481, true colour, 24 bits\n"
    "  font_heat.tga  95 glyphs under a marker row, 618x20, 8-bit colour-mapped\n"
    "Any TGA viewer shows them. Exit status is 0 on success and 1 on any error.\n";

static int32_t write_file(const std::string &path, const std::vector<uint8_t> &bytes) {
    FILE *fp = std::fopen(path.c_str(), "wb");
    if (!fp) {
        std::fprintf(stderr, "mkassets: cannot create %s\n", path.c_str());
        return 0;
    }
    size_t put = std::fwrite(bytes.data(), 1, bytes.size(), fp);
    if (std::fclose(fp) != 0 || put != bytes.size()) {
        std::fprintf(stderr, "mkassets: cannot write %s\n", path.c_str());
        return 0;
    }
    return 1;
}

// Paints one picture into a fresh bitmap and writes it; the bitmap is released either way.
static int32_t make(const std::string &dir, const char *name, int32_t width, int32_t height,
                    void (*paint)(VRX_Bitmap), int32_t colour_mapped) {
    VRX_Bitmap bitmap{};
    VRX_CreateBitmap(width, height, &bitmap);
    if (!bitmap.data) return 0;
    paint(bitmap);
    std::vector<uint8_t> bytes;
    std::string error;
    int32_t ok = colour_mapped ? tga_colourmapped(bitmap, &bytes, &error) : 1;
    if (!colour_mapped) bytes = tga_truecolour(bitmap);
    VRX_DeleteBitmap(&bitmap);
    if (!ok) {
        std::fprintf(stderr, "mkassets: %s: %s\n", name, error.c_str());
        return 0;
    }
    return write_file(dir + "/" + name, bytes);
}

int main(int argc, char **argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help"))) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(HELP, stderr);
        return 1;
    }
    std::string dir = argv[1];
    std::error_code code;
    std::filesystem::create_directories(dir, code);
    if (code) {
        std::fprintf(stderr, "mkassets: cannot create %s: %s\n", dir.c_str(),
                     code.message().c_str());
        return 1;
    }
    int32_t ok = make(dir, "glowbyjr.tga", DEVICE_WIDTH, DEVICE_HEIGHT, paint_device, 0) &&
                 make(dir, "leds.tga", SHEET_WIDTH, SHEET_HEIGHT, paint_led_sheet, 0) &&
                 make(dir, "font_heat.tga", STRIP_WIDTH, STRIP_HEIGHT, paint_font_strip, 1);
    return ok ? 0 : 1;
}
