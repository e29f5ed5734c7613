#include "vornfile/vornfile_sys.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdlib>
#include <direct.h>

int vornfile_fseek64(FILE *fp, uint64_t offset, int origin) {
    return _fseeki64(fp, static_cast<__int64>(offset), origin);
}

int64_t vornfile_ftell64(FILE *fp) {
    return _ftelli64(fp);
}

int32_t vornfile_folder_identity(const char *path, vornfile_folderid *id) {
    // Folders have no inode number in stat() here; the file index of an open handle is the
    // same for every path (junctions included) that reaches the folder.
    HANDLE folder = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return 0;
    BY_HANDLE_FILE_INFORMATION info;
    BOOL known = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!known) return 0;
    id->volume = info.dwVolumeSerialNumber;
    id->index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return 1;
}

int32_t vornfile_cwd_save(vornfile_savedcwd *saved) {
    saved->fd = -1;
    saved->path = _getcwd(nullptr, 0);
    return saved->path != nullptr;
}

int32_t vornfile_cwd_restore(vornfile_savedcwd *saved) {
    int32_t back = saved->path && _chdir(saved->path) == 0;
    std::free(saved->path);
    saved->path = nullptr;
    return back;
}
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int vornfile_fseek64(FILE *fp, uint64_t offset, int origin) {
    return fseeko(fp, static_cast<off_t>(offset), origin);
}

int64_t vornfile_ftell64(FILE *fp) {
    return ftello(fp);
}

int32_t vornfile_folder_identity(const char *path, vornfile_folderid *id) {
    struct stat status;
    if (stat(path, &status) != 0) return 0;
    id->volume = static_cast<uint64_t>(status.st_dev);
    id->index = static_cast<uint64_t>(status.st_ino);
    return 1;
}

int32_t vornfile_cwd_save(vornfile_savedcwd *saved) {
    saved->path = nullptr;
    saved->fd = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return saved->fd >= 0;
}

int32_t vornfile_cwd_restore(vornfile_savedcwd *saved) {
    int32_t back = saved->fd >= 0 && fchdir(saved->fd) == 0;
    if (saved->fd >= 0) close(saved->fd);
    saved->fd = -1;
    return back;
}
#endif
