// The packed read-only file system: one mounted image (an archive file, an archive appended to
// an executable, or a directory on disk), stdio-like access to its files by name, and a
// directory view of its flat name table for browsing.
#pragma once
#include <cstdint>
#include <cstdio>

// Mount modes of vornfile_mountimage.
enum : uint32_t {
    VORNFILE_MOUNT_ARCHIVE = 0,    // an archive file, header at offset 0
    VORNFILE_MOUNT_EXECUTABLE = 1, // an archive behind an executable, found through its trailer
    VORNFILE_MOUNT_DIRECTORY = 2,  // a directory on disk, scanned recursively
};

// An open file; owned by the caller, so any number may be open at once.
struct vornfile_handle {
    FILE *stream;   // directory mount: the file's own stream; archive mount: null
    uint32_t index; // archive mount: the entry's number
    uint32_t pos;   // archive: absolute offset in the archive's file; directory: from file start
    int32_t size;   // length of the file in bytes
    int32_t hash;   // archive mount: hash of the folded request
};

// One record of a directory listing.
struct vornfile_listentry {
    char *label;   // "[name]" for a directory, the name relative to the local path for a file
    char *path;    // bare name for a directory, the full stored name for a file
    int32_t size;  // 0 for a directory
    uint8_t isdir; // 1 for a directory
};

extern uint32_t vornfile_mounttype; // 0 archive (or nothing), 2 directory
extern char *vornfile_localpath;    // 256 bytes; "/" after mounting, always ends with "/"
extern vornfile_listentry *vornfile_filelist;
extern uint32_t vornfile_numfiles; // records in vornfile_filelist, not archive entries
extern char *vornfile_dirnames[256];
extern uint32_t vornfile_numdirs;

// Mounting.
int32_t vornfile_mountimage(const char *path, uint32_t mode);
void vornfile_closeimage();
int32_t vornfile_gethash(const char *name);
void vornfile_opendir(const char *path, int32_t fill);

// File access.
int32_t vornfile_open(const char *name, vornfile_handle *handle, int32_t mode);
void vornfile_read(void *dst, uint32_t size, uint32_t count, vornfile_handle *handle);
void vornfile_write(const void *src, uint32_t size, uint32_t count, vornfile_handle *handle);
void vornfile_seek(vornfile_handle *handle, int32_t offset, int32_t origin);
int32_t vornfile_tell(vornfile_handle *handle);
int32_t vornfile_fsize(vornfile_handle *handle);
void vornfile_gets(char *dst, int32_t length, vornfile_handle *handle);
int32_t vornfile_feof(vornfile_handle *handle);
void vornfile_rewind(vornfile_handle *handle);
void vornfile_close(vornfile_handle *handle);
void *vornfile_loadbuffer(const char *name);
void vornfile_savebuffer(const char *name, const void *src, int32_t length);

// Directories.
void vornfile_chdir(const char *path);
char *vornfile_getpath();
void vornfile_readdir(const char *pattern);
void vornfile_adddir(const char *name);
