// A directory view of the image's flat name table: the local path and its listing.
#include "vornfile/vornfile.h"
#include "vornfile/vornfile_internal.h"

#include "base/dbg.h"
#include "base/memory.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

char *vornfile_dirnames[256] = {};
uint32_t vornfile_numdirs = 0;

static const uint32_t MAX_DIRS = sizeof vornfile_dirnames / sizeof vornfile_dirnames[0];

static char *copy_text(const char *text, size_t length) {
    char *copy = static_cast<char *>(
        _wrap_malloc_dbg(static_cast<uint32_t>(length + 1), VORNFILE_SOURCE, __LINE__));
    if (!copy) return nullptr;
    std::memcpy(copy, text, length);
    copy[length] = 0;
    return copy;
}

static int32_t is_separator(char c) {
    return c == '/' || c == '\\';
}

void vornfile_chdir(const char *path) {
    if (!vornfile_localpath || !path) return;
    if (!std::strcmp(path, ".")) return;
    char result[256];
    if (!std::strcmp(path, "..")) {
        std::strcpy(result, vornfile_localpath);
        size_t length = std::strlen(result);
        size_t cut = 0;
        if (length > 1) {
            for (size_t i = length - 1; i-- > 0;) {
                if (is_separator(result[i])) {
                    cut = i;
                    break;
                }
            }
        }
        result[cut] = 0;
    } else {
        const char *base = is_separator(path[0]) ? "" : vornfile_localpath;
        int32_t written = std::snprintf(result, sizeof result, "%s%s", base, path);
        // Room is needed for the closing "/" as well.
        if (written < 0 || written >= static_cast<int32_t>(sizeof result) - 1) {
            _dbg_printf("path too long: %s%s\n", base, path);
            return;
        }
    }
    size_t length = std::strlen(result);
    if (length == 0 || result[length - 1] != '/') std::strcat(result, "/");
    std::strcpy(vornfile_localpath, result);
    _dbg_printf("localpath = %s\n", vornfile_localpath);
}

char *vornfile_getpath() {
    return vornfile_localpath;
}

void vornfile_adddir(const char *name) {
    if (!name) return;
    for (uint32_t i = 0; i < vornfile_numdirs; i++)
        if (!std::strcmp(vornfile_dirnames[i], name)) return;
    if (vornfile_numdirs >= MAX_DIRS) {
        _dbg_printf("too many directories, dropped: %s\n", name);
        return;
    }
    char *copy = copy_text(name, std::strlen(name));
    if (copy) vornfile_dirnames[vornfile_numdirs++] = copy;
}

static void release_listing() {
    for (uint32_t i = 0; i < vornfile_numfiles; i++) {
        vornfile_listentry &entry = vornfile_filelist[i];
        if (entry.label) _wrap_free_dbg(entry.label, VORNFILE_SOURCE, __LINE__);
        if (entry.path) _wrap_free_dbg(entry.path, VORNFILE_SOURCE, __LINE__);
        entry = {};
    }
    vornfile_numfiles = 0;
}

// The listing has room for one record per image name plus "..".
static void add_record(char *label, char *path, int32_t size, uint8_t isdir) {
    if (!label || !path || vornfile_numfiles > vornfile_image.numfiles) {
        if (label) _wrap_free_dbg(label, VORNFILE_SOURCE, __LINE__);
        if (path) _wrap_free_dbg(path, VORNFILE_SOURCE, __LINE__);
        return;
    }
    vornfile_filelist[vornfile_numfiles++] = {label, path, size, isdir};
}

// A directory mount keeps no sizes of its own; ask the file system.
static int32_t file_size(uint32_t index) {
    if (vornfile_mounttype != VORNFILE_MOUNT_DIRECTORY) return vornfile_entrysize(index);
    const char *root = static_cast<const char *>(vornfile_image.source);
    if (!root) return 0;
    const char *name = vornfile_image.names[index];
    size_t length = std::strlen(root) + 1 + std::strlen(name) + 1;
    char *path = static_cast<char *>(
        _wrap_malloc_dbg(static_cast<uint32_t>(length), VORNFILE_SOURCE, __LINE__));
    if (!path) return 0;
    std::snprintf(path, length, "%s/%s", root, name);
    struct stat status;
    int32_t size = 0;
    if (stat(path, &status) == 0 && status.st_size <= INT32_MAX)
        size = static_cast<int32_t>(status.st_size);
    _wrap_free_dbg(path, VORNFILE_SOURCE, __LINE__);
    return size;
}

// Position of the first "/" before the text's last character, or -1.
static int32_t inner_slash(const char *text) {
    size_t length = std::strlen(text);
    for (size_t i = 0; i + 1 < length; i++)
        if (text[i] == '/') return static_cast<int32_t>(i);
    return -1;
}

void vornfile_readdir(const char *pattern) {
    if (!vornfile_filelist || !vornfile_localpath || !pattern) return;
    const char *dot = std::strrchr(pattern, '.');
    const char *extension = dot && dot != pattern ? dot : "";
    size_t extlength = std::strlen(extension);
    _dbg_printf("extension = %s, length: %d\n", extension, static_cast<int32_t>(extlength));
    int32_t every = !std::strcmp(extension, ".*");

    release_listing();
    const char *local = vornfile_localpath;
    int32_t root = !std::strcmp(local, "/") || !local[0];
    if (root) _dbg_printf("dir is root\n");
    vornfile_numdirs = 0;
    if (!root) vornfile_adddir("..");

    const char *prefix = root ? "" : local + 1;
    size_t prefixlength = std::strlen(prefix);
    uint32_t count = vornfile_image.names ? vornfile_image.numfiles : 0;
    for (uint32_t i = 0; i < count; i++) {
        const char *name = vornfile_image.names[i];
        if (!name || std::strncmp(name, prefix, prefixlength)) continue;
        const char *rest = name + prefixlength;
        int32_t slash = inner_slash(rest);
        if (slash < 0) continue;
        char *sub = copy_text(rest, static_cast<size_t>(slash));
        if (!sub) continue;
        vornfile_adddir(sub);
        _wrap_free_dbg(sub, VORNFILE_SOURCE, __LINE__);
    }

    for (uint32_t i = 0; i < vornfile_numdirs; i++) {
        const char *dir = vornfile_dirnames[i];
        size_t length = std::strlen(dir);
        char *label = static_cast<char *>(
            _wrap_malloc_dbg(static_cast<uint32_t>(length + 3), VORNFILE_SOURCE, __LINE__));
        if (label) std::snprintf(label, length + 3, "[%s]", dir);
        add_record(label, copy_text(dir, length), 0, 1);
        _wrap_free_dbg(vornfile_dirnames[i], VORNFILE_SOURCE, __LINE__);
        vornfile_dirnames[i] = nullptr;
    }
    vornfile_numdirs = 0;

    for (uint32_t i = 0; i < count; i++) {
        const char *name = vornfile_image.names[i];
        if (!name || std::strncmp(name, prefix, prefixlength)) continue;
        const char *rest = name + prefixlength;
        size_t length = std::strlen(rest);
        int32_t matches = every || (length >= extlength &&
                                    !std::memcmp(rest + length - extlength, extension, extlength));
        if (!matches || inner_slash(rest) >= 0) continue;
        add_record(copy_text(rest, length), copy_text(name, std::strlen(name)), file_size(i), 0);
    }
    _dbg_printf("- ReadDIR completed!\n");
}
