#include "vornfile/vornfile.h"

#include "vornfile/vornfile_internal.h"

#include "archive_fixture.h"

#include <gmock/gmock.h>

using testing::EndsWith;

namespace {
// The game's six assets, shortened. The header is 12 + 6 * 12 + 74 name bytes = 158 long.
const std::vector<Entry> six = {
    {"font_heat.tga", std::string(131, 'f')}, {"font_small07.tga", std::string(56, 's')},
    {"leds.tga", std::string(923, 'l')},      {"glowbyjr.psd", std::string(837, 'p')},
    {"glowbyjr.tga", std::string(921, 'g')},  {"glowbyjr2.tga", std::string(985, 'h')}};
} // namespace

// The second mount replaces the first without unmounting; the teardown finds no leak.
TEST_F(Vornfile, ArchiveFileAndExecutableMountSixEntries) {
    const struct {
        uint32_t mode, prefix;
        const char *file, *how;
    } cases[] = {{0, 0, "image.vorn", "loading from file\n"},
                 {1, 1000, "game.exe", "loading from executable\n"}};
    for (const auto &c : cases) {
        std::string out;
        ASSERT_EQ(mount_bytes(make_image(six, c.prefix), c.mode, &out), 1);
        const uint32_t romsize = c.prefix + 4011; // for the executable: where the trailer is
        EXPECT_EQ(out, "Loading resource image: " + path(c.file) + "\n" + c.how +
                           "numfiles: 6\nromsize: " + std::to_string(romsize) + "\n");
        EXPECT_EQ(vornfile_image.romsize, romsize);

        const int32_t sizes[] = {131, 56, 923, 837, 921, 985}; // the last from romsize
        vornfile_handle handle;
        for (int i = 0; i < 6; i++) {
            ASSERT_EQ(open_quietly(six[i].first.c_str(), &handle), 1);
            EXPECT_EQ(vornfile_fsize(&handle), sizes[i]) << six[i].first;
        }
        EXPECT_EQ(printed([&] { vornfile_open("glowbyjr.tga", &handle, 0); }),
                  "found file at offset: " + std::to_string(c.prefix + 2105) + "\n");
        std::string data(921, 0);
        vornfile_read(data.data(), 1, 921, &handle);
        EXPECT_EQ(data, six[4].second);
    }
}

TEST_F(Vornfile, WrongMagicInAnyByteFailsWithTheStreamKept) {
    for (int i = 0; i < 4; i++) {
        Bytes bytes = make_image(six, 0);
        bytes[i] ^= 0x20;
        std::string out;
        EXPECT_EQ(mount_bytes(bytes, 0, &out), 0) << "byte " << i;
        EXPECT_EQ(out, "Loading resource image: " + path("image.vorn") + "\nloading from file\n");
        EXPECT_NE(g_fp, nullptr);
        EXPECT_EQ(vornfile_image.source, g_fp);
        EXPECT_EQ(vornfile_image.numfiles, 0u);
    }
}

TEST_F(Vornfile, MissingImagesAndUnknownModesMountNothing) {
    const std::string missing = path("nothing"), loading = "Loading resource image: " + missing;
    for (uint32_t mode : {0u, 1u, 3u}) {
        EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_mountimage(missing.c_str(), mode), 0); }),
                  loading + (mode == 3 ? "\n" : "\ncould not open image: " + missing + "\n"));
        expect_nothing_mounted();
    }
    // A missing directory is an empty image.
    EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_mountimage(missing.c_str(), 2), 1); }),
              loading + "\nerror reading directory\nFound 0 files\nerror reading directory\n");
    EXPECT_EQ(vornfile_image.numfiles, 0u);
}

// One field of a valid executable image damaged per case. The header starts at 64; entry 0
// ("a.tga", 4 bytes) at 76, entry 1 ("b.tga", 6 bytes) at 93; data from 110, romsize 120.
TEST_F(Vornfile, InconsistentHeadersDoNotMount) {
    const Bytes good = make_image({{"a.tga", "AAAA"}, {"b.tga", "BBBBBB"}}, 64);
    ASSERT_EQ(good.size(), 124u);
    const struct {
        size_t at;
        uint32_t value;
        const char *diagnostic;
    } cases[] = {
        {120, 224, "header offset beyond the file: 224\n"},
        {93, 0x7FFFFFF0u, "name length beyond the file: 2147483632\n"},
        {106, 64, "entry offsets decrease at entry 1: 64\n"},
        {89, 124, "entry offset beyond romsize at entry 0: 124\n"},
        {72, 125, "romsize beyond the file: 125\n"},
        {89, 68, "entry data overlap the archive header: 68\n"},
        {68, 0x40000000u, "too many entries for the file: 1073741824\n"},
    };
    for (const auto &c : cases) {
        Bytes bytes = good;
        poke32(bytes, c.at, c.value);
        std::string out;
        EXPECT_EQ(mount_bytes(bytes, 1, &out), 0) << c.diagnostic;
        EXPECT_THAT(out, EndsWith(c.diagnostic));
        // Only a header that was found can be damaged.
        EXPECT_EQ(vornfile_mountstatus,
                  c.at == 120 ? VORNFILE_STATUS_NOARCHIVE : VORNFILE_STATUS_DAMAGED);
        expect_nothing_mounted();
        EXPECT_EQ(g_mem_in_use, memory_before) << c.diagnostic;
    }
}

// Sizes are signed 32-bit for callers: an entry of 2 GiB or more would read as negative. The
// data lie in a sparse file.
TEST_F(Vornfile, EntriesOfTwoGiBOrMoreDoNotMount) {
    const struct {
        uint32_t first, second;
        const char *diagnostic; // null: mounts
    } cases[] = {
        {0x80000000u, 1, "entry 0 is 2 GiB or larger: 2147483648 bytes\n"},
        {1, 0x8F000000u, "entry 1 is 2 GiB or larger: 2399141888 bytes\n"},
        {0x7FFFFFFFu, 1, nullptr},
    };
    for (const auto &c : cases) {
        Bytes bytes = make_image({{"a", ""}, {"b", ""}}, 0); // header of 38 bytes
        const uint64_t end = 38 + uint64_t{c.first} + c.second;
        poke32(bytes, 8, end);
        poke32(bytes, 34, 38 + uint64_t{c.first});
        const std::string file = path("image.vorn");
        write_file(file, std::string(bytes.begin(), bytes.end()));
        std::filesystem::resize_file(file, end);
        std::string out =
            printed([&] { EXPECT_EQ(vornfile_mountimage(file.c_str(), 0), c.diagnostic ? 0 : 1); });
        if (c.diagnostic) {
            EXPECT_THAT(out, EndsWith(c.diagnostic));
            expect_nothing_mounted();
            continue;
        }
        vornfile_handle handle;
        ASSERT_EQ(open_quietly("a", &handle), 1);
        EXPECT_EQ(vornfile_fsize(&handle), INT32_MAX);
    }
}
