// File access by name: archive entries read through the shared stream, or disk files of a
// directory mount with a stream each.
#include "vornfile/vornfile.h"
#include "vornfile/vornfile_internal.h"
#include "vornfile/vornfile_sys.h"

#include "base/dbg.h"
#include "base/memory.h"

#include <climits>
#include <cstdio>
#include <cstring>

static int32_t archive_mount() {
    return vornfile_mounttype != VORNFILE_MOUNT_DIRECTORY;
}

// Data offset of the handle's entry; a handle that outlived its image reads from offset 0.
static uint32_t entry_base(const vornfile_handle *handle) {
    if (!archive_mount()) return 0;
    if (!vornfile_image.offsets || handle->index >= vornfile_image.numfiles) return 0;
    return vornfile_image.offsets[handle->index];
}

static FILE *handle_stream(const vornfile_handle *handle) {
    return archive_mount() ? g_fp : handle->stream;
}

static int32_t open_directory_file(const char *folded, vornfile_handle *handle, int32_t mode) {
    const char *root = static_cast<const char *>(vornfile_image.source);
    if (!root) return 0;
    size_t length = std::strlen(root) + 1 + std::strlen(folded) + 1;
    char *path = static_cast<char *>(
        _wrap_malloc_dbg(static_cast<uint32_t>(length), VORNFILE_SOURCE, __LINE__));
    if (!path) return 0;
    std::snprintf(path, length, "%s/%s", root, folded);
    FILE *fp = std::fopen(path, mode == 1 ? "wb" : "rb");
    _wrap_free_dbg(path, VORNFILE_SOURCE, __LINE__);
    if (!fp) return 0;
    int64_t end = -1;
    if (vornfile_fseek64(fp, 0, SEEK_END) == 0) end = vornfile_ftell64(fp);
    // A size that does not fit the handle (or a directory opened as a file) is no file.
    if (end < 0 || end > INT32_MAX) {
        std::fclose(fp);
        return 0;
    }
    std::rewind(fp);
    handle->stream = fp;
    handle->index = 0;
    handle->pos = 0;
    handle->size = static_cast<int32_t>(end);
    handle->hash = 0;
    return 1;
}

static int32_t open_archive_file(const char *folded, vornfile_handle *handle) {
    handle->hash = vornfile_gethash(folded);
    for (uint32_t i = 0; vornfile_image.names && i < vornfile_image.numfiles; i++) {
        // Whole names only: a stored name that merely starts with the request is another file.
        if (vornfile_image.hashes[i] != handle->hash ||
            std::strcmp(vornfile_image.names[i], folded))
            continue;
        handle->index = i;
        handle->pos = vornfile_image.offsets[i];
        handle->size = vornfile_entrysize(i);
        _dbg_printf("found file at offset: %d\n", static_cast<int32_t>(handle->pos));
        handle->stream = nullptr;
        return 1;
    }
    _dbg_printf("couldn't find file: %s\n", folded);
    return 0;
}

int32_t vornfile_open(const char *name, vornfile_handle *handle, int32_t mode) {
    if (!name || !handle) return 0;
    size_t length = std::strlen(name) + 1;
    char *folded = static_cast<char *>(
        _wrap_malloc_dbg(static_cast<uint32_t>(length), VORNFILE_SOURCE, __LINE__));
    if (!folded) return 0;
    file_downcase(folded, name, static_cast<int32_t>(length));
    int32_t found = archive_mount() ? open_archive_file(folded, handle)
                                    : open_directory_file(folded, handle, mode);
    _wrap_free_dbg(folded, VORNFILE_SOURCE, __LINE__);
    return found;
}

void vornfile_read(void *dst, uint32_t size, uint32_t count, vornfile_handle *handle) {
    FILE *fp = handle_stream(handle);
    if (fp && vornfile_fseek64(fp, handle->pos, SEEK_SET) == 0) std::fread(dst, size, count, fp);
    handle->pos += size * count;
}

void vornfile_write(const void *src, uint32_t size, uint32_t count, vornfile_handle *handle) {
    // Archives are read-only.
    if (archive_mount() || !handle->stream) return;
    if (vornfile_fseek64(handle->stream, handle->pos, SEEK_SET) == 0)
        std::fwrite(src, size, count, handle->stream);
    handle->pos += size * count;
}

void vornfile_seek(vornfile_handle *handle, int32_t offset, int32_t origin) {
    if (origin == 0)
        handle->pos = entry_base(handle) + static_cast<uint32_t>(offset);
    else if (origin == 1)
        handle->pos += static_cast<uint32_t>(offset);
}

int32_t vornfile_tell(vornfile_handle *handle) {
    return static_cast<int32_t>(handle->pos - entry_base(handle));
}

int32_t vornfile_fsize(vornfile_handle *handle) {
    return handle->size;
}

void vornfile_gets(char *dst, int32_t length, vornfile_handle *handle) {
    if (!dst || length <= 0) return;
    FILE *fp = handle_stream(handle);
    // An empty line rather than stale bytes when nothing could be read.
    if (!fp || vornfile_fseek64(fp, handle->pos, SEEK_SET) != 0 || !std::fgets(dst, length, fp)) {
        dst[0] = 0;
        if (!fp) return;
    }
    int64_t at = vornfile_ftell64(fp);
    if (at >= 0) handle->pos = static_cast<uint32_t>(at);
}

int32_t vornfile_feof(vornfile_handle *handle) {
    if (archive_mount())
        return handle->pos - entry_base(handle) >= static_cast<uint32_t>(handle->size) ? 1 : 0;
    if (!handle->stream) return 1;
    return std::feof(handle->stream) ? 1 : 0;
}

void vornfile_rewind(vornfile_handle *handle) {
    if (archive_mount()) {
        handle->pos = entry_base(handle);
        return;
    }
    handle->pos = 0;
    if (handle->stream) std::rewind(handle->stream);
}

void vornfile_close(vornfile_handle *handle) {
    if (archive_mount()) {
        handle->stream = nullptr;
        handle->index = 0;
        handle->pos = 0;
        return;
    }
    if (handle->stream) std::fclose(handle->stream);
    handle->stream = nullptr;
}

// The local path below the image root followed by the name, in a 256-byte buffer. The root's
// leading "/" is dropped: image names are stored without it.
static int32_t local_name(char *buffer, const char *name) {
    const char *local = vornfile_localpath ? vornfile_localpath : "";
    if (local[0] == '/' || local[0] == '\\') local++;
    int32_t written = std::snprintf(buffer, 256, "%s%s", local, name);
    if (written < 0 || written >= 256) {
        _dbg_printf("path too long: %s%s\n", local, name);
        return 0;
    }
    return 1;
}

void *vornfile_loadbuffer(const char *name) {
    char path[256];
    vornfile_handle handle = {};
    if (!name || !local_name(path, name) || !vornfile_open(path, &handle, 0)) return nullptr;
    void *buffer = nullptr;
    if (handle.size >= 0) {
        // An empty file still gets a buffer: null means "not loaded" to the callers.
        uint32_t bytes = handle.size > 0 ? static_cast<uint32_t>(handle.size) : 1;
        buffer = _wrap_malloc_dbg(bytes, VORNFILE_SOURCE, __LINE__);
        if (buffer) vornfile_read(buffer, static_cast<uint32_t>(handle.size), 1, &handle);
    }
    vornfile_close(&handle);
    return buffer;
}

void vornfile_savebuffer(const char *name, const void *src, int32_t length) {
    char path[256];
    vornfile_handle handle = {};
    if (!name || length < 0 || !local_name(path, name) || !vornfile_open(path, &handle, 1)) return;
    vornfile_write(src, static_cast<uint32_t>(length), 1, &handle);
    vornfile_close(&handle);
}
