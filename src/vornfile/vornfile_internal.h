// Shared by the file system's own sources only.
#pragma once
#include "vornfile/vornfile.h"

#include <cstdint>

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
