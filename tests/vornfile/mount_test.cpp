#include "vornfile/vornfile.h"

#include "archive_fixture.h"

#include <gmock/gmock.h>

using testing::HasSubstr;

namespace {
// The six assets of the game, shortened.
std::vector<Entry> six_entries() {
    return {{"font_heat.tga", std::string(131, 'f')}, {"font_small07.tga", std::string(56, 's')},
            {"leds.tga", std::string(923, 'l')},      {"glowbyjr.psd", std::string(837, 'p')},
            {"glowbyjr.tga", std::string(921, 'g')},  {"glowbyjr2.tga", std::string(985, 'h')}};
}

void expect_nothing_mounted() {
    EXPECT_EQ(g_fp, nullptr);
    EXPECT_EQ(vornfile_image.source, nullptr);
    EXPECT_EQ(vornfile_image.numfiles, 0u);
    EXPECT_EQ(vornfile_image.names, nullptr);
    EXPECT_EQ(vornfile_localpath, nullptr);
    EXPECT_EQ(vornfile_filelist, nullptr);
}
} // namespace

TEST_F(Vornfile, ArchiveFileMountsSixEntries) {
    Bytes bytes = make_archive(six_entries());
    std::string out;
    ASSERT_EQ(mount_bytes(bytes, 0, &out), 1);
    // Header: 12 + 6 * 12 + the name bytes (13+16+8+12+12+13 = 74) = 158.
    uint32_t romsize = 158 + 131 + 56 + 923 + 837 + 921 + 985;
    EXPECT_EQ(out, "Loading resource image: " + path("image.vorn") +
                       "\nloading from file\nnumfiles: 6\nromsize: " + std::to_string(romsize) +
                       "\n");
    EXPECT_EQ(vornfile_mounttype, 0u);
    EXPECT_EQ(vornfile_image.source, g_fp);
    EXPECT_EQ(vornfile_image.numfiles, 6u);
    EXPECT_EQ(vornfile_image.romsize, romsize);
    EXPECT_EQ(vornfile_image.offsets[0], 158u);
    EXPECT_EQ(vornfile_image.hashes[0], 1314);
    EXPECT_STREQ(vornfile_image.names[5], "glowbyjr2.tga");
    EXPECT_STREQ(vornfile_localpath, "/");
    EXPECT_EQ(vornfile_numfiles, 0u);

    const int32_t sizes[] = {131, 56, 923, 837, 921, 985};
    for (uint32_t i = 0; i < 6; i++) {
        vornfile_handle handle;
        printed([&] { ASSERT_EQ(vornfile_open(vornfile_image.names[i], &handle, 0), 1); });
        EXPECT_EQ(vornfile_fsize(&handle), sizes[i]) << vornfile_image.names[i];
    }
}

TEST_F(Vornfile, ExecutableMountFindsArchiveThroughTrailer) {
    Bytes bytes = make_executable(six_entries(), 1000);
    std::string out;
    ASSERT_EQ(mount_bytes(bytes, 1, &out), 1);
    EXPECT_THAT(out, HasSubstr("loading from executable\nnumfiles: 6\n"));
    uint32_t trailer = static_cast<uint32_t>(bytes.size() - 4);
    EXPECT_EQ(vornfile_image.romsize, trailer);
    EXPECT_EQ(vornfile_image.offsets[0], 1000u + 158u);

    vornfile_handle handle;
    std::string found = printed([&] { ASSERT_EQ(vornfile_open("glowbyjr2.tga", &handle, 0), 1); });
    EXPECT_EQ(found, "found file at offset: " + std::to_string(vornfile_image.offsets[5]) + "\n");
    EXPECT_EQ(static_cast<uint32_t>(handle.size), trailer - vornfile_image.offsets[5]);
    std::string data(985, 0);
    vornfile_read(data.data(), 1, 985, &handle);
    EXPECT_EQ(data, std::string(985, 'h'));
}

TEST_F(Vornfile, ZeroEntriesMountAndFindNothing) {
    std::string out;
    ASSERT_EQ(mount_bytes(make_archive({}), 0, &out), 1);
    EXPECT_THAT(out, HasSubstr("numfiles: 0\nromsize: 12\n"));
    vornfile_handle handle;
    EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open("leds.tga", &handle, 0), 0); }),
              "couldn't find file: leds.tga\n");
}

TEST_F(Vornfile, WrongMagicInAnyByteFailsWithStreamKept) {
    for (int i = 0; i < 4; i++) {
        Bytes bytes = make_archive(six_entries());
        bytes[i] ^= 0x20;
        std::string out;
        EXPECT_EQ(mount_bytes(bytes, 0, &out), 0) << "byte " << i;
        EXPECT_EQ(out, "Loading resource image: " + path("image.vorn") + "\nloading from file\n");
        EXPECT_NE(g_fp, nullptr);
        EXPECT_EQ(vornfile_image.source, g_fp);
        EXPECT_EQ(vornfile_image.numfiles, 0u);
        vornfile_handle handle;
        printed([&] { EXPECT_EQ(vornfile_open("leds.tga", &handle, 0), 0); });
    }
}

TEST_F(Vornfile, MountFailuresWithoutAnImage) {
    std::string missing = path("nothing.exe");
    for (uint32_t mode = 0; mode < 2; mode++) {
        std::string out =
            printed([&] { EXPECT_EQ(vornfile_mountimage(missing.c_str(), mode), 0); });
        EXPECT_EQ(out, "Loading resource image: " + missing + "\ncould not open image: " + missing +
                           "\n");
        expect_nothing_mounted();
    }
    printed([&] { EXPECT_EQ(vornfile_mountimage(path("").c_str(), 3), 0); });
    expect_nothing_mounted();
}

// Each case damages a valid executable image in one way; none may mount or leave anything.
TEST_F(Vornfile, InconsistentHeadersDoNotMount) {
    const uint32_t prefix = 64;
    Bytes good = make_executable({{"a.tga", "AAAA"}, {"b.tga", "BBBBBB"}}, prefix);
    const size_t entry0 = prefix + 12, entry1 = entry0 + 12 + 5;
    auto set32 = [](Bytes &b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; i++) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    struct Case {
        const char *what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    Bytes b = good;
    set32(b, b.size() - 4, static_cast<uint32_t>(b.size()) + 100);
    cases.push_back({"trailer beyond the file", b});
    b = good;
    set32(b, b.size() - 4, static_cast<uint32_t>(b.size()) - 10);
    cases.push_back({"header runs into the trailer", b});
    b = good;
    set32(b, entry1, 0x7FFFFFF0u);
    cases.push_back({"name length beyond the file", b});
    b = good;
    set32(b, entry1 + 8 + 5, prefix);
    cases.push_back({"offsets decrease", b});
    b = good;
    set32(b, entry0 + 8 + 5, static_cast<uint32_t>(good.size()));
    cases.push_back({"offset beyond romsize", b});
    b = good;
    set32(b, entry0 + 8 + 5, prefix + 4);
    cases.push_back({"data overlap the header", b});
    b = good;
    set32(b, prefix + 8, static_cast<uint32_t>(good.size()) + 1);
    cases.push_back({"romsize beyond the file", b});
    b = good;
    set32(b, prefix + 4, 0x40000000u);
    cases.push_back({"more entries than the file holds", b});
    b = Bytes(good.begin(), good.begin() + entry1 + 3);
    put32(b, prefix);
    cases.push_back({"file cut inside the directory", b});
    cases.push_back({"file shorter than a trailer", Bytes{1, 2}});

    for (const Case &c : cases) {
        std::string out;
        EXPECT_EQ(mount_bytes(c.bytes, 1, &out), 0) << c.what;
        // A diagnostic line after the mount's own lines.
        EXPECT_THAT(out, testing::MatchesRegex("(.|\n)*\n[^\n]+\n")) << c.what;
        expect_nothing_mounted();
        EXPECT_EQ(g_mem_in_use, memory_before) << c.what;
    }

    // A mode 0 file that ends inside the fixed header.
    Bytes shorty = {'V', 'O', 'R', 'N', 1, 0};
    EXPECT_EQ(mount_bytes(shorty, 0, nullptr), 0);
    expect_nothing_mounted();
}

TEST_F(Vornfile, RemountReleasesThePreviousImage) {
    ASSERT_EQ(mount_bytes(make_archive(six_entries()), 0, nullptr), 1);
    ASSERT_EQ(mount_bytes(make_archive(six_entries()), 0, nullptr), 1);
    EXPECT_EQ(vornfile_image.numfiles, 6u);
    vornfile_closeimage();
    EXPECT_EQ(g_mem_in_use, memory_before);
    ASSERT_EQ(mount_bytes(make_archive(six_entries()), 0, nullptr), 1);
    // A failing remount still releases the old one.
    Bytes bad = make_archive(six_entries());
    bad[8] = 0xFF; // romsize
    EXPECT_EQ(mount_bytes(bad, 0, nullptr), 0);
    expect_nothing_mounted();
    EXPECT_EQ(g_mem_in_use, memory_before);
}

TEST_F(Vornfile, AllocationFailureLeavesNothingMounted) {
    vrx_memory_fail_next(1);
    std::string out;
    EXPECT_EQ(mount_bytes(make_archive(six_entries()), 0, &out), 0);
    EXPECT_THAT(out, HasSubstr("wrap_malloc"));
    expect_nothing_mounted();
    EXPECT_EQ(g_mem_in_use, memory_before);
}

// Strange names and empty entries are still consistent archives: they mount and stay inside.
TEST_F(Vornfile, EmptyEntriesAndOddNamesMount) {
    const std::string nul("a\0b", 3);
    std::vector<Entry> odd = {{"empty.bin", ""}, {"../up.txt", "U"}, {"dir/", "D"},   {"", "E"},
                              {nul, "N"},        {"/abs", "A"},      {"last.bin", ""}};
    Bytes bytes = make_executable(odd, 16);
    ASSERT_EQ(mount_bytes(bytes, 1, nullptr), 1);
    // The last entry starts exactly at romsize.
    EXPECT_EQ(vornfile_image.offsets[6], vornfile_image.romsize);

    vornfile_handle handle;
    printed([&] { ASSERT_EQ(vornfile_open("last.bin", &handle, 0), 1); });
    EXPECT_EQ(vornfile_fsize(&handle), 0);
    EXPECT_EQ(vornfile_feof(&handle), 1);
    printed([&] { ASSERT_EQ(vornfile_open("../UP.TXT", &handle, 0), 1); });
    char c = 0;
    vornfile_read(&c, 1, 1, &handle);
    EXPECT_EQ(c, 'U');

    void *empty = nullptr;
    printed([&] { empty = vornfile_loadbuffer("empty.bin"); });
    EXPECT_NE(empty, nullptr) << "an empty file is still loaded";
    if (empty) _wrap_free_dbg(empty, "test", 1);

    std::string out = printed([] {
        vornfile_readdir("*.*");
        vornfile_chdir("..");
        vornfile_readdir("*.*");
        vornfile_chdir("dir");
        vornfile_readdir("*.*");
    });
    EXPECT_EQ(vornfile_filelist[0].isdir, 1);
    EXPECT_STREQ(vornfile_filelist[0].label, "[..]");
}
