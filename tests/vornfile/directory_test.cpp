#include "vornfile/vornfile.h"

#include "archive_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>

using testing::ElementsAre;
using testing::HasSubstr;
using testing::UnorderedElementsAre;

namespace {
std::vector<std::string> image_names() {
    std::vector<std::string> names;
    for (uint32_t i = 0; i < vornfile_image.numfiles; i++) names.push_back(vornfile_image.names[i]);
    return names;
}

struct Record {
    std::string label, path;
    int32_t size;
    int isdir;
    bool operator==(const Record &o) const {
        return label == o.label && path == o.path && size == o.size && isdir == o.isdir;
    }
};
std::ostream &operator<<(std::ostream &os, const Record &r) {
    return os << "{" << r.label << ", " << r.path << ", " << r.size << ", " << r.isdir << "}";
}

std::vector<Record> listing(const char *pattern) {
    printed([&] { vornfile_readdir(pattern); });
    std::vector<Record> records;
    for (uint32_t i = 0; i < vornfile_numfiles; i++) {
        const vornfile_listentry &e = vornfile_filelist[i];
        records.push_back({e.label, e.path, e.size, e.isdir});
    }
    return records;
}

std::string cwd() {
    return std::filesystem::current_path().string();
}
} // namespace

TEST_F(Vornfile, DirectoryMountScansTheTreeAndKeepsTheWorkingDirectory) {
    write_file(dir / "data" / "a.tga", "AAAA");
    write_file(dir / "data" / "sub" / "b.tga", "BB");
    std::string before = cwd();
    std::string root = (dir / "data").string();
    std::string out = printed([&] { ASSERT_EQ(vornfile_mountimage(root.c_str(), 2), 1); });
    EXPECT_THAT(out, testing::StartsWith("Loading resource image: " + root + "\n"));
    EXPECT_THAT(out, HasSubstr("\nFound 2 files\n"));
    EXPECT_EQ(cwd(), before);
    EXPECT_EQ(vornfile_mounttype, 2u);
    EXPECT_STREQ(static_cast<const char *>(vornfile_image.source), root.c_str());
    EXPECT_THAT(image_names(), UnorderedElementsAre("a.tga", "sub/b.tga"));
    EXPECT_STREQ(vornfile_getpath(), "/");
}

TEST_F(Vornfile, DirectoryMountOfARelativeTwoLevelPath) {
    write_file(dir / "data" / "set" / "x.tga", "X");
    std::string before = cwd();
    std::filesystem::current_path(dir);
    std::string out = printed([] { EXPECT_EQ(vornfile_mountimage("data/set", 2), 1); });
    EXPECT_EQ(cwd(), dir.string());
    std::filesystem::current_path(before);
    EXPECT_EQ(out, "Loading resource image: data/set\npath has 2 sublevels\nFound 1 files\n"
                   "path has 2 sublevels\n");
}

TEST_F(Vornfile, MissingDirectoryMountsEmpty) {
    std::string root = path("absent");
    std::string out = printed([&] { EXPECT_EQ(vornfile_mountimage(root.c_str(), 2), 1); });
    EXPECT_EQ(out, "Loading resource image: " + root +
                       "\nerror reading directory\nFound 0 files\nerror reading directory\n");
    EXPECT_EQ(vornfile_image.numfiles, 0u);
}

TEST_F(Vornfile, DirectoryScanDoesNotFollowLinksBackIntoItself) {
    write_file(dir / "data" / "a.tga", "A");
    write_file(dir / "data" / "sub" / "b.tga", "B");
    std::filesystem::create_directory_symlink("..", dir / "data" / "sub" / "up");
    std::string root = (dir / "data").string();
    std::string before = cwd();
    std::string out = printed([&] { ASSERT_EQ(vornfile_mountimage(root.c_str(), 2), 1); });
    EXPECT_THAT(out, HasSubstr("Found 2 files\n"));
    EXPECT_THAT(out, HasSubstr("directory loop, skipped: "));
    EXPECT_THAT(image_names(), UnorderedElementsAre("a.tga", "sub/b.tga"));
    EXPECT_EQ(cwd(), before);
}

TEST_F(Vornfile, DirectoryScanSkipsPathsOf256BytesOrMore) {
    std::string longdir(200, 'd');
    write_file(dir / "data" / longdir / std::string(54, 'f'), "fits: 255 bytes");
    write_file(dir / "data" / longdir / std::string(55, 'g'), "256 bytes: skipped");
    write_file(dir / "data" / "top.txt", "t");
    std::string root = (dir / "data").string();
    std::string out = printed([&] { ASSERT_EQ(vornfile_mountimage(root.c_str(), 2), 1); });
    EXPECT_THAT(out, HasSubstr("Found 2 files\n"));
    EXPECT_THAT(out, HasSubstr("path too long, skipped: " + longdir + "/" + std::string(55, 'g')));
    EXPECT_THAT(image_names(),
                UnorderedElementsAre("top.txt", longdir + "/" + std::string(54, 'f')));
}

TEST_F(Vornfile, DirectoryFileAccess) {
    write_file(dir / "data" / "a.tga", "0123456789abc");
    write_file(dir / "data" / "Upper.tga", "U");
    std::string root = (dir / "data").string();
    printed([&] { ASSERT_EQ(vornfile_mountimage(root.c_str(), 2), 1); });

    vornfile_handle handle;
    EXPECT_EQ(printed([&] { ASSERT_EQ(vornfile_open("A.TGA", &handle, 0), 1); }), "");
    EXPECT_NE(handle.stream, nullptr);
    EXPECT_EQ(vornfile_fsize(&handle), 13);
    EXPECT_EQ(vornfile_tell(&handle), 0);
    EXPECT_EQ(vornfile_feof(&handle), 0);
    char buffer[16] = {};
    vornfile_read(buffer, 1, 13, &handle);
    EXPECT_EQ(std::string(buffer, 13), "0123456789abc");
    EXPECT_EQ(vornfile_feof(&handle), 0); // only a read past the end sets it
    vornfile_read(buffer, 1, 1, &handle);
    EXPECT_NE(vornfile_feof(&handle), 0);
    vornfile_seek(&handle, 10, 0);
    EXPECT_EQ(vornfile_tell(&handle), 10);
    vornfile_read(buffer, 1, 3, &handle);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    vornfile_rewind(&handle);
    EXPECT_EQ(vornfile_tell(&handle), 0);
    vornfile_close(&handle);
    EXPECT_EQ(handle.stream, nullptr);

    // The request is folded, the name on disk is not.
    EXPECT_EQ(printed([&] { EXPECT_EQ(vornfile_open("Upper.tga", &handle, 0), 0); }), "");

    // Saving and loading whole files, and writing through a handle.
    printed([] { vornfile_savebuffer("saved.bin", "payload", 7); });
    void *loaded = vornfile_loadbuffer("saved.bin");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(std::memcmp(loaded, "payload", 7), 0);
    _wrap_free_dbg(loaded, "test", 1);
    ASSERT_EQ(vornfile_open("written.bin", &handle, 1), 1);
    vornfile_write("abcd", 2, 2, &handle);
    EXPECT_EQ(vornfile_tell(&handle), 4);
    vornfile_close(&handle);
    EXPECT_EQ(std::filesystem::file_size(dir / "data" / "written.bin"), 4u);
}

TEST_F(Vornfile, ListingShowsDirectoriesFirstThenMatchingFiles) {
    ASSERT_EQ(mount_bytes(make_archive({{"a.tga", "AAA"},
                                        {"sub/b.tga", "BBBBB"},
                                        {"sub/deep/c.tga", "C"},
                                        {"sub/deep/d.tga", "DD"},
                                        {"sub/notes.txt", "N"},
                                        {"other/e.tga", "E"}}),
                          0, nullptr),
              1);
    std::string out = printed([] { vornfile_readdir("*.tga"); });
    EXPECT_EQ(out, "extension = .tga, length: 4\ndir is root\n- ReadDIR completed!\n");
    EXPECT_THAT(listing("*.tga"),
                ElementsAre(Record{"[sub]", "sub", 0, 1}, Record{"[other]", "other", 0, 1},
                            Record{"a.tga", "a.tga", 3, 0}));

    EXPECT_EQ(printed([] { vornfile_chdir("sub"); }), "localpath = /sub/\n");
    EXPECT_THAT(listing("*.tga"),
                ElementsAre(Record{"[..]", "..", 0, 1}, Record{"[deep]", "deep", 0, 1},
                            Record{"b.tga", "sub/b.tga", 5, 0}));
    EXPECT_THAT(listing("*.*"),
                ElementsAre(Record{"[..]", "..", 0, 1}, Record{"[deep]", "deep", 0, 1},
                            Record{"b.tga", "sub/b.tga", 5, 0},
                            Record{"notes.txt", "sub/notes.txt", 1, 0}));
    // Case-sensitive extension.
    EXPECT_THAT(listing("*.TGA"),
                ElementsAre(Record{"[..]", "..", 0, 1}, Record{"[deep]", "deep", 0, 1}));

    printed([] { vornfile_chdir("/nowhere"); });
    EXPECT_THAT(listing("*.tga"), ElementsAre(Record{"[..]", "..", 0, 1}));
}

TEST_F(Vornfile, DirectoryMountListingTakesSizesFromDisk) {
    write_file(dir / "data" / "a.tga", "12345");
    write_file(dir / "data" / "sub" / "b.tga", "1");
    std::string root = (dir / "data").string();
    printed([&] { ASSERT_EQ(vornfile_mountimage(root.c_str(), 2), 1); });
    EXPECT_THAT(listing("*.tga"),
                ElementsAre(Record{"[sub]", "sub", 0, 1}, Record{"a.tga", "a.tga", 5, 0}));
}

TEST_F(Vornfile, ChangingTheLocalPath) {
    ASSERT_EQ(mount_bytes(make_archive({}), 0, nullptr), 1);
    EXPECT_EQ(printed([] { vornfile_chdir("/sounds/fx"); }), "localpath = /sounds/fx/\n");
    EXPECT_EQ(printed([] { vornfile_chdir("."); }), "");
    EXPECT_STREQ(vornfile_getpath(), "/sounds/fx/");
    printed([] { vornfile_chdir(".."); });
    EXPECT_STREQ(vornfile_getpath(), "/sounds/");
    printed([] { vornfile_chdir(".."); });
    EXPECT_STREQ(vornfile_getpath(), "/");
    EXPECT_EQ(printed([] { vornfile_chdir(".."); }), "localpath = /\n");
    printed([] { vornfile_chdir("a\\b/"); });
    EXPECT_STREQ(vornfile_getpath(), "/a\\b/");
    printed([] { vornfile_chdir(".."); });
    EXPECT_STREQ(vornfile_getpath(), "/a/");
    printed([] { vornfile_chdir("\\root"); });
    EXPECT_STREQ(vornfile_getpath(), "\\root/");

    // The 256-byte path never overflows: a change that would not fit is refused.
    printed([] { vornfile_chdir("/"); });
    printed([] { vornfile_chdir(std::string(200, 'p').c_str()); });
    std::string kept = vornfile_getpath();
    ASSERT_EQ(kept.size(), 202u);
    std::string out = printed([] { vornfile_chdir(std::string(53, 'q').c_str()); });
    EXPECT_THAT(out, HasSubstr("path too long"));
    EXPECT_EQ(vornfile_getpath(), kept);
    printed([] { vornfile_chdir(std::string(52, 'q').c_str()); });
    EXPECT_EQ(std::strlen(vornfile_getpath()), 255u);
}

TEST_F(Vornfile, DirectoryNamesAreCollectedOnce) {
    vornfile_numdirs = 0;
    vornfile_adddir("gfx");
    vornfile_adddir("GFX");
    vornfile_adddir("gfx");
    ASSERT_EQ(vornfile_numdirs, 2u);
    EXPECT_STREQ(vornfile_dirnames[0], "gfx");
    EXPECT_STREQ(vornfile_dirnames[1], "GFX");
    for (uint32_t i = 0; i < vornfile_numdirs; i++) _wrap_free_dbg(vornfile_dirnames[i], "test", 1);
    vornfile_numdirs = 0;
}
