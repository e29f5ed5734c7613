#include "vornfile/vornfile.h"

#include "archive_fixture.h"

#include <cstring>

TEST_F(Vornfile, OpenFoldsTheRequestAndMatchesWholeNamesOnly) {
    // The first name's extra bytes sum to zero: its stored hash equals that of "leds.tga", and a
    // prefix comparison would take it.
    ASSERT_EQ(
        mount_bytes(make_image({{"leds.tga\x01\xff", "X"}, {"leds.tga", "L"}}, 0), 0, nullptr), 1);
    vornfile_handle handle;
    for (const char *name : {"LEDS.TGA", "Leds.Tga"}) {
        EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open(name, &handle, 0), 1); }),
                  "found file at offset: 55\n");
        EXPECT_EQ(handle.index, 1u);
        EXPECT_EQ(handle.hash, 786);
    }
    EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open("LEDS", &handle, 0), 0); }),
              "couldn't find file: leds\n");
}

// The same calls on an archive entry and on a disk file; only the end-of-file test differs.
TEST_F(Vornfile, HandlesReadSeekTellAndTestTheEndInBothMounts) {
    const std::string data = "0123456789abcdefghij", root = (dir / "data").string();
    write_file(dir / "data" / "leds.tga", data);
    for (uint32_t mode : {0u, 2u}) {
        if (mode == 0) {
            ASSERT_EQ(mount_bytes(make_image({{"leds.tga", data}, {"next", "N"}}, 0), 0, nullptr),
                      1);
        } else {
            printed([&] { ASSERT_EQ(vornfile_mountimage(root.c_str(), 2), 1); });
        }
        vornfile_handle handle;
        ASSERT_EQ(open_quietly("LEDS.TGA", &handle), 1);
        EXPECT_EQ(vornfile_fsize(&handle), 20);
        EXPECT_EQ(vornfile_tell(&handle), 0);
        EXPECT_EQ(vornfile_feof(&handle), 0);
        char buffer[24] = {};
        vornfile_read(buffer, 4, 5, &handle);
        EXPECT_EQ(std::string(buffer, 20), data);
        EXPECT_EQ(vornfile_tell(&handle), 20);
        // An archive entry ends at its size; a disk file only once a read went past it.
        EXPECT_EQ(vornfile_feof(&handle), mode == 0 ? 1 : 0) << mode;
        vornfile_read(buffer, 1, 1, &handle);
        EXPECT_NE(vornfile_feof(&handle), 0);

        vornfile_seek(&handle, 10, 0);
        EXPECT_EQ(vornfile_tell(&handle), 10);
        vornfile_seek(&handle, -3, 1);
        vornfile_seek(&handle, 5, 2); // there is no end origin: unchanged
        EXPECT_EQ(vornfile_tell(&handle), 7);
        if (mode == 0) { // writing to an archive changes nothing, not even the position
            vornfile_write("ZZZ", 1, 3, &handle);
            EXPECT_EQ(vornfile_tell(&handle), 7);
        }
        vornfile_read(buffer, 1, 3, &handle);
        EXPECT_EQ(std::string(buffer, 3), "789");
        vornfile_rewind(&handle);
        EXPECT_EQ(vornfile_tell(&handle), 0);
        vornfile_close(&handle);
    }
}

TEST(VornfileNames, HashIsSignedByteSum) {
    const struct {
        const char *name;
        int32_t hash;
    } cases[] = {{"leds.tga", 786}, {"font_heat.tga", 1314}, {"", 0}, {"\xff", -1}};
    for (const auto &c : cases) EXPECT_EQ(vornfile_gethash(c.name), c.hash) << c.name;
}

TEST(VornfileNames, FoldingTouchesOnlyUpperCaseAsciiLettersAndExactlyNBytes) {
    const char in[] = "LEDS.TGA@Z[\xc4";
    char out[sizeof in + 1] = {};
    out[sizeof in] = 'x';
    file_downcase(out, in, sizeof in);
    EXPECT_STREQ(out, "leds.tga@z[\xc4");
    EXPECT_EQ(out[sizeof in], 'x');
}
