#include "image_fixture.h"
#include "vornfile/archive_fixture.h"

namespace {

const Bytes kPixel = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0x20, 1, 2, 3};

struct Dispatch : ImageFiles {};

TEST_P(Dispatch, ChoosesTheLoaderByExtension) {
    const struct {
        const char *name, *printed;
        bool loads;
    } cases[] = {
        {"pic.tga", "Loading TGA image.", true},
        {"PIC.Tga", "Loading TGA image.", true},
        {"pic.tga.bak", "", false},
        {".tga", "", false},
        {"tga", "", false},
        {"pic.tgax", "", false},
        {"pic.gif", "No GIF supported.\n", false},
        {"pic.PNG", "No PNG supported.\n", false},
        {"pic.jpg", "No JPG supported. Use VRXJPEG Extension\n", false},
        {"pic.raw", "Loading Direct-RAW image.\n", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        VRX_Bitmap bm;
        std::string out = load(c.name, kPixel, &bm);
        EXPECT_EQ(out, std::string(c.printed) + (c.loads ? "" : not_loaded(c.name)));
        EXPECT_EQ(bm.data != nullptr, c.loads);
        drop(&bm);
    }
}

TEST_P(Dispatch, MissingFileGivesOneLine) {
    VRX_Bitmap bm{};
    std::string out = printed([&] { VRX_LoadBitmap("gone.bmp", &bm); });
    EXPECT_EQ(out, "Loading BMP image.\ncouldn't open file: gone.bmp\n" + not_loaded("gone.bmp"));
    EXPECT_EQ(bm.data, nullptr);
}

TEST_P(Dispatch, ArchiveEntryLoadsAfterTheFoundLine) {
    Bytes image = make_image({{"glowbyjr.tga", std::string(kPixel.begin(), kPixel.end())}}, 0);
    write("game.vorn", image);
    printed(
        [&] { vornfile_mountimage((dir / "game.vorn").string().c_str(), VORNFILE_MOUNT_ARCHIVE); });
    VRX_Bitmap bm{};
    std::string out = printed([&] { VRX_LoadBitmap("GlowbyJr.TGA", &bm); });
    uint32_t offset = uint32_t(image.size() - kPixel.size());
    EXPECT_EQ(out, "Loading TGA image.found file at offset: " + std::to_string(offset) + "\n");
    expect_drawn(bm, 1, 1, {0xFF030201});
    drop(&bm);
    out = printed([&] { VRX_LoadBitmap("leds.tga", &bm); });
    EXPECT_EQ(out, "Loading TGA image.couldn't find file: leds.tga\n" + not_loaded("leds.tga"));
    printed([] { vornfile_closeimage(); });
    std::filesystem::remove(dir / "game.vorn");
    printed([&] { vornfile_mountimage(dir.string().c_str(), VORNFILE_MOUNT_DIRECTORY); });
}

INSTANTIATE_BOTH_DEPTHS(Dispatch);

} // namespace
