// Shared by the file system's own sources only.
#pragma once
#include "vornfile/vornfile.h"

#include <cstdint>

// Source tag of every allocation of the file system.
#define VORNFILE_SOURCE "vornfile/vornfile-std.cpp"

// Size of an archive entry: the next entry's offset, or romsize for the last, minus its own.
// The mount guarantees offsets never decrease and never pass romsize.
inline int32_t vornfile_entrysize(uint32_t index) {
    if (!vornfile_image.offsets || index >= vornfile_image.numfiles) return 0;
    uint32_t end = index + 1 < vornfile_image.numfiles ? vornfile_image.offsets[index + 1]
                                                       : vornfile_image.romsize;
    return static_cast<int32_t>(end - vornfile_image.offsets[index]);
}
