#include "vornfile/vornfile_internal.h"

#include "archive_fixture.h"

#include <gmock/gmock.h>

#include <cstring>
#include <tuple>

using testing::UnorderedElementsAre;

namespace {
using Record = std::tuple<std::string, std::string, int32_t, int>; // label, path, size, isdir

std::vector<Record> listing(const char *pattern) {
    printed([&] { vornfile_readdir(pattern); });
    std::vector<Record> records;
    for (uint32_t i = 0; i < vornfile_numfiles; i++) {
        const vornfile_listentry &e = vornfile_filelist[i];
        records.emplace_back(e.label, e.path, e.size, e.isdir);
    }
    return records;
}
} // namespace

// A link back up the tree would make the scan recurse until its path buffer runs out.
TEST_F(Vornfile, DirectoryMountScansTheTreeSkipsLoopsAndKeepsTheWorkingDirectory) {
    write_file(dir / "data" / "set" / "a.tga", "AAAA");
    write_file(dir / "data" / "set" / "sub" / "b.tga", "BB");
    // Where the system (or Wine) makes no folder links, the tree is scanned without the loop.
    std::error_code linked;
    std::filesystem::create_directory_symlink("..", dir / "data" / "set" / "sub" / "up", linked);
    std::filesystem::current_path(dir);
    const std::string pass = linked ? "path has 2 sublevels\n"
                                    : "path has 2 sublevels\ndirectory loop, skipped: sub/up/\n";
    EXPECT_EQ(printed([] { EXPECT_EQ(vornfile_mountimage("data/set", 2), 1); }),
              "Loading resource image: data/set\n" + pass + "Found 2 files\n" + pass);
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), dir));
    EXPECT_EQ(vornfile_mounttype, 2u);
    EXPECT_STREQ(static_cast<const char *>(vornfile_image.source), "data/set");
    std::vector<std::string> names(vornfile_image.names,
                                   vornfile_image.names + vornfile_image.numfiles);
    EXPECT_THAT(names, UnorderedElementsAre("a.tga", "sub/b.tga"));
    EXPECT_STREQ(vornfile_getpath(), "/");
}

TEST_F(Vornfile, ListingShowsDirectoriesOnceAndFirstThenMatchingFiles) {
    const std::vector<Entry> tree = {{"a.tga", "AAA"},
                                     {"sub/b.tga", "BBBBB"},
                                     {"sub/deep/c.tga", "C"},
                                     {"sub/deep/d.tga", "DD"},
                                     {"sub/notes.txt", "N"}};
    ASSERT_EQ(mount_bytes(make_image(tree, 0), 0, nullptr), 1);
    EXPECT_EQ(printed([] { vornfile_readdir("*.tga"); }),
              "extension = .tga, length: 4\ndir is root\n- ReadDIR completed!\n");
    const Record up{"[..]", "..", 0, 1}, deep{"[deep]", "deep", 0, 1};
    const Record b{"b.tga", "sub/b.tga", 5, 0};
    const struct {
        const char *path, *pattern;
        std::vector<Record> want;
    } cases[] = {
        {"/", "*.tga", {{"[sub]", "sub", 0, 1}, {"a.tga", "a.tga", 3, 0}}},
        {"/sub/", "*.tga", {up, deep, b}},
        {"/sub/", "*.*", {up, deep, b, {"notes.txt", "sub/notes.txt", 1, 0}}},
        {"/sub/", "x.TGA", {up, deep}}, // the extension is compared case-sensitively
        {"/nowhere/", "*.tga", {up}},
    };
    for (const auto &c : cases) {
        printed([&] { vornfile_chdir(c.path); });
        EXPECT_EQ(listing(c.pattern), c.want) << c.path << " " << c.pattern;
    }
}

TEST_F(Vornfile, EmptyArchiveAndChangingTheLocalPath) {
    std::string out;
    ASSERT_EQ(mount_bytes(make_image({}, 0), 0, &out), 1);
    EXPECT_TRUE(out.ends_with("numfiles: 0\nromsize: 12\n")) << out;
    vornfile_handle handle;
    EXPECT_EQ(open_quietly("LEDS.TGA", &handle), 0);
    const struct {
        const char *change, *result;
    } steps[] = {{"sounds", "/sounds/"}, {"fx", "/sounds/fx/"}, {".", "/sounds/fx/"},
                 {"..", "/sounds/"},     {"..", "/"},           {"..", "/"},
                 {"/a\\b", "/a\\b/"},    {"..", "/a/"},         {"\\root", "\\root/"}};
    for (const auto &s : steps) {
        std::string out = printed([&] { vornfile_chdir(s.change); });
        EXPECT_STREQ(vornfile_getpath(), s.result) << s.change;
        EXPECT_EQ(out,
                  std::strcmp(s.change, ".") ? "localpath = " + std::string(s.result) + "\n" : "");
    }
}
