// Shared by the file system's own sources only.
#pragma once
#include "vornfile/vornfile.h"

#include <cstdint>

struct vornfile_imagerecord {
    void *source;      // archive: the stream (same as g_fp); directory: owned copy of the path
    uint32_t romsize;  // archive: absolute offset of the end of the last entry's data
    uint32_t numfiles; // entries (archive) or files found by the scan (directory)
    uint32_t *offsets; // archive: absolute data offset of every entry
    char **names;      // terminated names; directory: paths relative to the mounted directory
    int32_t *hashes;   // archive: the hashes as stored by the archive's producer
};

extern FILE *g_fp; // the one stream every archive read goes through
extern vornfile_imagerecord vornfile_image;

// Reads and checks the archive header at the stream's position into vornfile_image.
int32_t readheader();
// Lower-cases a name into dst, at most n bytes, the way names are hashed and compared.
void file_downcase(char *dst, const char *src, int32_t n);
// A little-endian 32-bit word.
uint32_t getint(const uint8_t *bytes);

// Source tag of every allocation of the file system.
#define VORNFILE_SOURCE "vornfile/vornfile-std.cpp"

// How the last vornfile_mountimage ended, for tools that must tell a file without an archive
// from a damaged one and say what is wrong.
enum : int32_t {
    VORNFILE_STATUS_MOUNTED = 0,
    VORNFILE_STATUS_CANNOTOPEN = 1, // the file could not be opened or measured (errno is set)
    VORNFILE_STATUS_NOARCHIVE = 2,  // no trailer, or no "VORN" where the header should start
    VORNFILE_STATUS_DAMAGED = 3,    // a header was found but is inconsistent with the file
};
extern int32_t vornfile_mountstatus;
extern char vornfile_mountfault[160]; // the reason, without a newline; empty after a mount
extern uint64_t vornfile_headerstart; // offset of the mounted archive's header in its file

// Size of an archive entry: the next entry's offset, or romsize for the last, minus its own.
// The mount guarantees offsets never decrease and never pass romsize.
inline int32_t vornfile_entrysize(uint32_t index) {
    if (!vornfile_image.offsets || index >= vornfile_image.numfiles) return 0;
    uint32_t end = index + 1 < vornfile_image.numfiles ? vornfile_image.offsets[index + 1]
                                                       : vornfile_image.romsize;
    return static_cast<int32_t>(end - vornfile_image.offsets[index]);
}
