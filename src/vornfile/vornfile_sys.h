// The few file and folder calls of the file system that differ between systems.
#pragma once
#include <cstdint>
#include <cstdio>

// Seek and tell with 64-bit offsets everywhere (a long is 32 bits on Windows), so that files
// over 2 GiB measure and seek the same on every system. As fseek: 0 on success.
int vornfile_fseek64(FILE *fp, uint64_t offset, int origin);
int64_t vornfile_ftell64(FILE *fp);

// Identity of a folder, equal for every path that reaches it (links included).
struct vornfile_folderid {
    uint64_t volume;
    uint64_t index;
};
// 1 and the identity of the folder at `path`, 0 when it cannot be read.
int32_t vornfile_folder_identity(const char *path, vornfile_folderid *id);

// The current directory, saved before a scan changes it and restored afterwards.
struct vornfile_savedcwd {
    int fd;     // where the system can return by handle
    char *path; // where it returns by name
};
int32_t vornfile_cwd_save(vornfile_savedcwd *saved);
// Returns to the saved directory and releases what was saved; 0 if it could not return.
int32_t vornfile_cwd_restore(vornfile_savedcwd *saved);
