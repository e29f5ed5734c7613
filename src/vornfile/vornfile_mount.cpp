// Mounting and unmounting the image: the archive header, the directory scan, the name hash.
#include "vornfile/vornfile.h"
#include "vornfile/vornfile_internal.h"
#include "vornfile/vornfile_sys.h"

#include "base/dbg.h"
#include "base/memory.h"

#include <cerrno>
#include <cstdarg>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

uint32_t vornfile_mounttype = 0;
FILE *g_fp = nullptr;
vornfile_imagerecord vornfile_image = {};
char *vornfile_localpath = nullptr;
vornfile_listentry *vornfile_filelist = nullptr;
uint32_t vornfile_numfiles = 0;
int32_t vornfile_mountstatus = VORNFILE_STATUS_MOUNTED;
char vornfile_mountfault[160] = "";
uint64_t vornfile_headerstart = 0;

// Scan state of a directory mount.
static char curDir[256];
static int32_t diroffset = 0;
static char curFile[256];
static uint32_t scan_capacity = 0; // name slots allocated for the filling pass

// Directories being scanned, outermost first: a link back to one of them would recurse until the
// path buffer runs out, and two such links would double the work at every level.
static vornfile_folderid scan_stack[sizeof curDir / 2 + 2];
static uint32_t scan_depth = 0;

static int32_t scanning(const vornfile_folderid &id) {
    for (uint32_t i = 0; i < scan_depth; i++)
        if (scan_stack[i].volume == id.volume && scan_stack[i].index == id.index) return 1;
    return 0;
}

// Length of the file holding the archive and the read position in its header: every header
// read is checked against the length and against what fread delivered.
static uint64_t image_length = 0;
static uint64_t header_pos = 0;

// Records why a mount failed and prints the line when asked to.
static void vformat_fault(int32_t status, int32_t print, const char *format, va_list args) {
    int saved = errno; // a failed open keeps its reason for the caller
    vornfile_mountstatus = status;
    std::vsnprintf(vornfile_mountfault, sizeof vornfile_mountfault, format, args);
    if (print) _dbg_printf("%s\n", vornfile_mountfault);
    errno = saved;
}

static void __attribute__((format(printf, 3, 4)))
mount_fault(int32_t status, int32_t print, const char *format, ...) {
    va_list args;
    va_start(args, format);
    vformat_fault(status, print, format, args);
    va_end(args);
}

static void *alloc_zeroed(uint64_t bytes, int32_t line) {
    if (bytes > 0xFFFFFFFFu) {
        _dbg_printf("%s(%d): wrap_malloc(%llu) failed!\n", VORNFILE_SOURCE, line,
                    static_cast<unsigned long long>(bytes));
        return nullptr;
    }
    void *block = _wrap_malloc_dbg(static_cast<uint32_t>(bytes), VORNFILE_SOURCE, line);
    if (block) std::memset(block, 0, bytes);
    return block;
}

// The three tables of an image; empty images have none.
static int32_t alloc_tables(uint32_t count) {
    if (count == 0) return 1;
    vornfile_image.offsets =
        static_cast<uint32_t *>(alloc_zeroed(uint64_t{count} * sizeof(uint32_t), __LINE__));
    vornfile_image.names =
        static_cast<char **>(alloc_zeroed(uint64_t{count} * sizeof(char *), __LINE__));
    vornfile_image.hashes =
        static_cast<int32_t *>(alloc_zeroed(uint64_t{count} * sizeof(int32_t), __LINE__));
    return vornfile_image.offsets && vornfile_image.names && vornfile_image.hashes;
}

static void free_block(void *block, int32_t line) {
    if (block) _wrap_free_dbg(block, VORNFILE_SOURCE, line);
}

void vornfile_closeimage() {
    if (vornfile_mounttype == VORNFILE_MOUNT_DIRECTORY) {
        free_block(vornfile_image.source, __LINE__);
    } else if (vornfile_image.source) {
        std::fclose(static_cast<FILE *>(vornfile_image.source));
    }
    vornfile_image.source = nullptr;
    g_fp = nullptr;
    if (vornfile_image.names) {
        for (uint32_t i = 0; i < vornfile_image.numfiles; i++)
            free_block(vornfile_image.names[i], __LINE__);
    }
    free_block(vornfile_image.offsets, __LINE__);
    free_block(vornfile_image.names, __LINE__);
    free_block(vornfile_image.hashes, __LINE__);
    vornfile_image.offsets = nullptr;
    vornfile_image.names = nullptr;
    vornfile_image.hashes = nullptr;
    if (vornfile_filelist) {
        for (uint32_t i = 0; i < vornfile_numfiles; i++) {
            free_block(vornfile_filelist[i].label, __LINE__);
            free_block(vornfile_filelist[i].path, __LINE__);
            vornfile_filelist[i] = {};
        }
        free_block(vornfile_filelist, __LINE__);
        vornfile_filelist = nullptr;
    }
    free_block(vornfile_localpath, __LINE__);
    vornfile_localpath = nullptr;
    vornfile_image.romsize = 0;
    vornfile_image.numfiles = 0;
    vornfile_numfiles = 0;
    // Nothing is mounted now; a stale directory type would send opens to a released path.
    vornfile_mounttype = 0;
}

static int32_t mounted() {
    return vornfile_image.source || vornfile_image.names || vornfile_localpath || vornfile_filelist;
}

// A failure that names the image: the printed line keeps the whole path, however long.
static void image_fault(int32_t status, const char *what, const char *path) {
    int saved = errno;
    _dbg_printf("%s: %s\n", what, path);
    mount_fault(status, 0, "%s: %s", what, path);
    errno = saved;
}

static FILE *open_image(const char *path) {
    FILE *fp = std::fopen(path, "rb");
    if (fp && (vornfile_fseek64(fp, 0, SEEK_END) != 0 || vornfile_ftell64(fp) < 0)) {
        std::fclose(fp);
        fp = nullptr;
    }
    if (!fp) {
        image_fault(VORNFILE_STATUS_CANNOTOPEN, "could not open image", path);
        return nullptr;
    }
    image_length = static_cast<uint64_t>(vornfile_ftell64(fp));
    return fp;
}

int32_t vornfile_mountimage(const char *path, uint32_t mode) {
    vornfile_mountstatus = VORNFILE_STATUS_MOUNTED;
    vornfile_mountfault[0] = 0;
    if (!path) {
        mount_fault(VORNFILE_STATUS_CANNOTOPEN, 0, "no image name");
        return 0;
    }
    _dbg_printf("Loading resource image: %s\n", path);
    if (mode != VORNFILE_MOUNT_ARCHIVE && mode != VORNFILE_MOUNT_EXECUTABLE &&
        mode != VORNFILE_MOUNT_DIRECTORY) {
        mount_fault(VORNFILE_STATUS_CANNOTOPEN, 0, "unknown mount mode %u", mode);
        return 0;
    }
    // One image at a time: a new mount releases the old one.
    if (mounted()) vornfile_closeimage();

    if (mode == VORNFILE_MOUNT_DIRECTORY) {
        size_t length = std::strlen(path) + 1;
        char *copy = static_cast<char *>(alloc_zeroed(length, __LINE__));
        if (!copy) {
            mount_fault(VORNFILE_STATUS_CANNOTOPEN, 0, "out of memory");
            return 0;
        }
        std::memcpy(copy, path, length);
        vornfile_mounttype = VORNFILE_MOUNT_DIRECTORY;
        vornfile_image.source = copy;
    } else {
        FILE *fp = open_image(path);
        if (!fp) return 0;
        uint64_t start = 0;
        if (mode == VORNFILE_MOUNT_EXECUTABLE) {
            uint8_t trailer[4];
            if (image_length < 4 || vornfile_fseek64(fp, image_length - 4, SEEK_SET) ||
                std::fread(trailer, 1, 4, fp) != 4) {
                image_fault(VORNFILE_STATUS_NOARCHIVE, "image has no trailer", path);
                std::fclose(fp);
                return 0;
            }
            start = getint(trailer);
            if (start + 12 > image_length - 4) {
                mount_fault(VORNFILE_STATUS_NOARCHIVE, 1, "header offset beyond the file: %u",
                            static_cast<uint32_t>(start));
                std::fclose(fp);
                return 0;
            }
        }
        if (vornfile_fseek64(fp, start, SEEK_SET) != 0) {
            image_fault(VORNFILE_STATUS_CANNOTOPEN, "could not open image", path);
            std::fclose(fp);
            return 0;
        }
        header_pos = start;
        vornfile_headerstart = start;
        vornfile_mounttype = VORNFILE_MOUNT_ARCHIVE;
        g_fp = fp;
        vornfile_image.source = fp;
        _dbg_printf(mode == VORNFILE_MOUNT_ARCHIVE ? "loading from file\n"
                                                   : "loading from executable\n");
    }
    return readheader() ? 1 : 0;
}

// Reads n header bytes; fails when they would pass the end of the file or fread falls short.
static int32_t header_read(void *dst, uint32_t n) {
    if (header_pos + n > image_length || std::fread(dst, 1, n, g_fp) != n) return 0;
    header_pos += n;
    return 1;
}

// A broken header leaves nothing behind: stream closed, tables released. A null format means the
// memory module has already said what failed.
static int32_t __attribute__((format(printf, 1, 2))) header_fail(const char *format, ...) {
    if (format) {
        va_list args;
        va_start(args, format);
        vformat_fault(VORNFILE_STATUS_DAMAGED, 1, format, args);
        va_end(args);
    } else {
        mount_fault(VORNFILE_STATUS_DAMAGED, 0, "out of memory");
    }
    vornfile_closeimage();
    return 0;
}

static int32_t common_tail() {
    vornfile_filelist = static_cast<vornfile_listentry *>(alloc_zeroed(
        (uint64_t{vornfile_image.numfiles} + 1) * sizeof(vornfile_listentry), __LINE__));
    vornfile_localpath = static_cast<char *>(alloc_zeroed(256, __LINE__));
    if (!vornfile_filelist || !vornfile_localpath) return header_fail(nullptr);
    std::strcpy(vornfile_localpath, "/");
    vornfile_numfiles = 0;
    return 1;
}

// Sizes are signed 32-bit in the file interface; a larger entry would read as negative.
static int32_t entry_too_large(uint32_t index, uint32_t from, uint32_t to) {
    if (to - from <= INT32_MAX) return 0;
    header_fail("entry %u is 2 GiB or larger: %u bytes", index, to - from);
    return 1;
}

static int32_t readheader_archive() {
    uint8_t word[4];
    if (!header_read(word, 4)) {
        header_fail("archive header beyond the end of the file");
        vornfile_mountstatus = VORNFILE_STATUS_NOARCHIVE; // too short to hold one
        return 0;
    }
    // A wrong magic leaves the stream open with no entries, as callers have always seen it.
    if (std::memcmp(word, "VORN", 4) != 0) {
        mount_fault(VORNFILE_STATUS_NOARCHIVE, 0, "no archive header at offset %llu",
                    static_cast<unsigned long long>(header_pos - 4));
        return 0;
    }
    uint8_t counts[8];
    if (!header_read(counts, 8)) return header_fail("archive header beyond the end of the file");
    uint32_t numfiles = getint(counts);
    uint32_t romsize = getint(counts + 4);
    _dbg_printf("numfiles: %d\n", static_cast<int32_t>(numfiles));
    _dbg_printf("romsize: %d\n", static_cast<int32_t>(romsize));
    if (romsize > image_length) return header_fail("romsize beyond the file: %u", romsize);
    // Every entry takes at least 12 bytes; refuse counts the file cannot hold before allocating.
    if (numfiles > (image_length - header_pos) / 12)
        return header_fail("too many entries for the file: %u", numfiles);
    vornfile_image.romsize = romsize;
    vornfile_image.numfiles = numfiles;
    if (!alloc_tables(numfiles)) return header_fail(nullptr);

    uint32_t previous = 0;
    for (uint32_t i = 0; i < numfiles; i++) {
        uint8_t head[8];
        if (!header_read(head, 8)) return header_fail("archive header beyond the end of the file");
        uint32_t length = getint(head);
        vornfile_image.hashes[i] = static_cast<int32_t>(getint(head + 4));
        if (uint64_t{length} + 4 > image_length - header_pos)
            return header_fail("name length beyond the file: %u", length);
        char *name = static_cast<char *>(alloc_zeroed(uint64_t{length} + 1, __LINE__));
        if (!name) return header_fail(nullptr);
        vornfile_image.names[i] = name;
        uint8_t offset[4];
        if (!header_read(name, length) || !header_read(offset, 4))
            return header_fail("archive header beyond the end of the file");
        uint32_t at = getint(offset);
        if (at < previous) return header_fail("entry offsets decrease at entry %u: %u", i, at);
        if (at > romsize) return header_fail("entry offset beyond romsize at entry %u: %u", i, at);
        if (i > 0 && entry_too_large(i - 1, previous, at)) return 0;
        vornfile_image.offsets[i] = at;
        previous = at;
    }
    if (numfiles > 0 && entry_too_large(numfiles - 1, previous, romsize)) return 0;
    // Data begin where the directory ends; an offset inside the header would serve header bytes
    // as file contents.
    if (numfiles > 0 && vornfile_image.offsets[0] < header_pos)
        return header_fail("entry data overlap the archive header: %u", vornfile_image.offsets[0]);
    return common_tail();
}

static int32_t readheader_directory() {
    const char *path = static_cast<const char *>(vornfile_image.source);
    std::memset(curDir, 0, sizeof curDir);
    std::memset(curFile, 0, sizeof curFile);
    diroffset = 0;
    scan_capacity = 0;
    vornfile_image.numfiles = 0;
    vornfile_opendir(path, 0);
    uint32_t found = vornfile_image.numfiles;
    _dbg_printf("Found %d files\n", static_cast<int32_t>(found));

    vornfile_image.numfiles = 0;
    if (!alloc_tables(found)) return header_fail(nullptr);
    std::memset(curDir, 0, sizeof curDir);
    std::memset(curFile, 0, sizeof curFile);
    diroffset = 0;
    scan_capacity = found;
    vornfile_opendir(path, 1);
    scan_capacity = 0;
    return common_tail();
}

int32_t readheader() {
    if (vornfile_mounttype == VORNFILE_MOUNT_DIRECTORY) return readheader_directory();
    if (!g_fp) return 0;
    return readheader_archive();
}

int32_t vornfile_gethash(const char *name) {
    int32_t hash = 0;
    if (!name) return 0;
    for (const char *p = name; *p; p++) hash += static_cast<int8_t>(*p);
    return hash;
}

void file_downcase(char *dst, const char *src, int32_t n) {
    for (int32_t i = 0; i < n; i++) {
        char c = src[i];
        dst[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
    }
}

uint32_t getint(const uint8_t *bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

// Records one file found by the scan; names that would not fit the 256-byte blocks are skipped.
static void scan_file(const char *name, int32_t fill) {
    size_t length = std::strlen(name);
    if (static_cast<size_t>(diroffset) + length >= sizeof curFile) {
        _dbg_printf("path too long, skipped: %.*s%s\n", diroffset, curDir, name);
        return;
    }
    std::memcpy(curFile, curDir, static_cast<size_t>(diroffset));
    std::memcpy(curFile + diroffset, name, length + 1);
    if (fill) {
        // The tree may have grown since the counting pass; never pass the table.
        if (vornfile_image.numfiles >= scan_capacity) return;
        char *block = static_cast<char *>(alloc_zeroed(256, __LINE__));
        if (!block) return;
        std::memcpy(block, curFile, 256);
        vornfile_image.names[vornfile_image.numfiles] = block;
    }
    vornfile_image.numfiles++;
}

void vornfile_opendir(const char *path, int32_t fill) {
    DIR *dir = opendir(path);
    if (!dir) {
        _dbg_printf("error reading directory\n");
        return;
    }
    int32_t levels = 1;
    size_t length = std::strlen(path);
    for (size_t i = 1; length > 1 && i + 1 < length; i++)
        if (path[i] == '/') levels++;
    if (levels > 1) _dbg_printf("path has %d sublevels\n", levels);

    // Come back to exactly where we started, whatever the path looked like.
    vornfile_savedcwd start;
    if (!vornfile_cwd_save(&start) || chdir(path) != 0) {
        _dbg_printf("error reading directory\n");
        vornfile_cwd_restore(&start);
        closedir(dir);
        return;
    }
    // Every level adds at least two bytes to curDir, so the stack cannot fill; stay safe anyway.
    vornfile_folderid here;
    uint32_t depth = scan_depth;
    if (vornfile_folder_identity(".", &here) &&
        scan_depth < sizeof scan_stack / sizeof scan_stack[0])
        scan_stack[scan_depth++] = here;
    while (struct dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (!std::strcmp(name, ".") || !std::strcmp(name, "..")) continue;
        struct stat status;
        if (stat(name, &status) != 0) continue;
        if (!S_ISDIR(status.st_mode)) {
            scan_file(name, fill);
            continue;
        }
        size_t n = std::strlen(name);
        vornfile_folderid id;
        if (vornfile_folder_identity(name, &id) && scanning(id)) {
            _dbg_printf("directory loop, skipped: %.*s%s/\n", diroffset, curDir, name);
            continue;
        }
        if (static_cast<size_t>(diroffset) + n + 1 >= sizeof curDir) {
            _dbg_printf("path too long, skipped: %.*s%s/\n", diroffset, curDir, name);
            continue;
        }
        std::memcpy(curDir + diroffset, name, n);
        curDir[diroffset + n] = '/';
        curDir[diroffset + n + 1] = 0;
        diroffset += static_cast<int32_t>(n + 1);
        vornfile_opendir(name, fill);
        diroffset -= static_cast<int32_t>(n + 1);
        curDir[diroffset] = 0;
    }
    scan_depth = depth;
    if (closedir(dir) != 0) std::printf("Error closing directory\n");
    if (!vornfile_cwd_restore(&start)) _dbg_printf("could not return to the starting directory\n");
}
