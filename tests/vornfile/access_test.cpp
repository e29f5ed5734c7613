#include "vornfile/vornfile.h"

#include "archive_fixture.h"

#include <gmock/gmock.h>

#include <cstring>

namespace {
const std::string lines = "first line\nsecond\n";
std::vector<Entry> entries() {
    return {{"leds.tga", "0123456789abcdefghij"}, {"text.txt", lines}, {"last.bin", "XYZ"}};
}
} // namespace

TEST_F(Vornfile, OpenFoldsTheRequestAndMatchesWholeNames) {
    ASSERT_EQ(mount_bytes(make_archive(entries()), 0, nullptr), 1);
    vornfile_handle handle;
    for (const char *name : {"LEDS.TGA", "Leds.Tga"}) {
        EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open(name, &handle, 0), 1); }),
                  "found file at offset: " + std::to_string(vornfile_image.offsets[0]) + "\n");
        EXPECT_EQ(handle.index, 0u);
        EXPECT_EQ(handle.hash, 786);
        EXPECT_EQ(handle.stream, nullptr);
    }
    EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open("LEDS", &handle, 0), 0); }),
              "couldn't find file: leds\n");
}

TEST_F(Vornfile, StoredNameLongerThanTheRequestIsAnotherFile) {
    // The extra bytes sum to zero, so the stored hash equals the request's.
    ASSERT_EQ(mount_bytes(make_archive({{std::string("zz.bin\x01\xff"), "data"}}), 0, nullptr), 1);
    ASSERT_EQ(vornfile_image.hashes[0], vornfile_gethash("zz.bin"));
    vornfile_handle handle;
    EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open("zz.bin", &handle, 0), 0); }),
              "couldn't find file: zz.bin\n");
    EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open("ZZ.BIN\x01\xff", &handle, 0), 1); }),
              "found file at offset: 32\n");
}

TEST_F(Vornfile, ArchiveHandlePositionsAndReads) {
    ASSERT_EQ(mount_bytes(make_archive(entries()), 0, nullptr), 1);
    vornfile_handle handle;
    printed([&] { ASSERT_EQ(vornfile_open("leds.tga", &handle, 0), 1); });
    EXPECT_EQ(vornfile_tell(&handle), 0);
    EXPECT_EQ(vornfile_feof(&handle), 0);
    EXPECT_EQ(vornfile_fsize(&handle), 20);

    char buffer[32] = {};
    vornfile_read(buffer, 4, 5, &handle);
    EXPECT_EQ(std::string(buffer, 20), "0123456789abcdefghij");
    EXPECT_EQ(vornfile_feof(&handle), 1);
    EXPECT_EQ(vornfile_tell(&handle), 20);

    vornfile_seek(&handle, 10, 0);
    EXPECT_EQ(vornfile_tell(&handle), 10);
    EXPECT_EQ(vornfile_feof(&handle), 0);
    vornfile_seek(&handle, -3, 1);
    EXPECT_EQ(vornfile_tell(&handle), 7);
    vornfile_seek(&handle, 2, 2);
    EXPECT_EQ(vornfile_tell(&handle), 7);
    vornfile_read(buffer, 1, 3, &handle);
    EXPECT_EQ(std::string(buffer, 3), "789");

    // Writing to an archive does nothing at all.
    uint32_t pos = handle.pos;
    vornfile_write("zzzz", 1, 4, &handle);
    EXPECT_EQ(handle.pos, pos);
    vornfile_rewind(&handle);
    EXPECT_EQ(vornfile_tell(&handle), 0);
    vornfile_read(buffer, 1, 20, &handle);
    EXPECT_EQ(std::string(buffer, 20), "0123456789abcdefghij");

    vornfile_close(&handle);
    EXPECT_EQ(handle.pos, 0u);
    EXPECT_EQ(handle.size, 20);
}

TEST_F(Vornfile, ArchiveLinesAndInterleavedHandles) {
    ASSERT_EQ(mount_bytes(make_archive(entries()), 0, nullptr), 1);
    vornfile_handle text, last;
    printed([&] {
        ASSERT_EQ(vornfile_open("text.txt", &text, 0), 1);
        ASSERT_EQ(vornfile_open("last.bin", &last, 0), 1);
    });
    char line[32];
    vornfile_gets(line, sizeof line, &text);
    EXPECT_STREQ(line, "first line\n");
    EXPECT_EQ(vornfile_tell(&text), 11);
    char bytes[3];
    vornfile_read(bytes, 1, 3, &last); // moves the shared stream elsewhere
    EXPECT_EQ(std::string(bytes, 3), "XYZ");
    vornfile_gets(line, sizeof line, &text);
    EXPECT_STREQ(line, "second\n");
    EXPECT_EQ(vornfile_feof(&text), 1);
    // Past the end of the archive's file there is nothing to read: an empty line.
    vornfile_gets(line, sizeof line, &last);
    EXPECT_STREQ(line, "");
}

TEST_F(Vornfile, WholeFileCallsInAnArchive) {
    ASSERT_EQ(mount_bytes(make_archive({{"a.txt", "alpha"}, {"sub/b.txt", "beta"}}), 0, nullptr),
              1);
    void *a = nullptr;
    printed([&] { a = vornfile_loadbuffer("a.txt"); });
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(std::memcmp(a, "alpha", 5), 0);
    _wrap_free_dbg(a, "test", 1);

    printed([] { vornfile_chdir("sub"); });
    void *b = nullptr;
    printed([&] { b = vornfile_loadbuffer("b.txt"); });
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(std::memcmp(b, "beta", 4), 0);
    _wrap_free_dbg(b, "test", 2);

    std::string out = printed([&] { EXPECT_EQ(vornfile_loadbuffer("none.txt"), nullptr); });
    EXPECT_EQ(out, "couldn't find file: sub/none.txt\n");
    EXPECT_EQ(printed([] {
                  EXPECT_EQ(vornfile_loadbuffer(std::string(300, 'x').c_str()), nullptr);
              }).substr(0, 15),
              "path too long: ");
    // Saving into an archive writes nothing.
    printed([] { vornfile_savebuffer("b.txt", "BETA", 4); });
    void *again = nullptr;
    printed([&] { again = vornfile_loadbuffer("b.txt"); });
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(std::memcmp(again, "beta", 4), 0);
    _wrap_free_dbg(again, "test", 3);
}

TEST_F(Vornfile, NothingMountedFindsNothing) {
    vornfile_handle handle;
    EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open("leds.tga", &handle, 0), 0); }),
              "couldn't find file: leds.tga\n");
    printed([] { EXPECT_EQ(vornfile_loadbuffer("leds.tga"), nullptr); });
}
