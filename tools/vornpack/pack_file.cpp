#include "pack_file.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

// The temp file to remove when a signal ends the process; a fixed buffer, as the handler may
// not allocate.
static char pending_temp[4096];

static std::string temp_name(const std::string &target) {
    static std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::path folder = fs::path(target).parent_path();
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".vornpack-%08llx",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFu));
    return (folder / suffix).string();
}

static int open_new(const std::string &path) {
#ifdef _WIN32
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
#endif
}

FILE *pack_createtemp(const std::string &target, std::string *temp) {
    for (int32_t attempt = 0; attempt < 100; attempt++) {
        std::string path = temp_name(target);
        if (path.size() >= sizeof pending_temp) {
            errno = ENAMETOOLONG;
            return nullptr;
        }
        int fd = open_new(path);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return nullptr;
        }
        std::memcpy(pending_temp, path.c_str(), path.size() + 1);
        FILE *fp = fdopen(fd, "wb");
        if (!fp) {
            int saved = errno;
            close(fd);
            std::remove(path.c_str());
            pending_temp[0] = 0;
            errno = saved;
            return nullptr;
        }
        *temp = path;
        return fp;
    }
    errno = EEXIST;
    return nullptr;
}

void pack_forgettemp() {
    pending_temp[0] = 0;
}

int32_t pack_setmode(FILE *fp, uint32_t mode) {
#ifdef _WIN32
    (void)fp;
    (void)mode;
    return 1;
#else
    return fchmod(fileno(fp), static_cast<mode_t>(mode & 07777)) == 0;
#endif
}

uint32_t pack_newmode() {
#ifdef _WIN32
    return 0666;
#else
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~static_cast<uint32_t>(mask);
#endif
}

int32_t pack_sync(FILE *fp) {
    if (std::fflush(fp) != 0) return 0;
#ifdef _WIN32
    return _commit(_fileno(fp)) == 0;
#else
    return fsync(fileno(fp)) == 0;
#endif
}

int32_t pack_publish(const std::string &temp, const std::string &target, int32_t replace) {
#ifdef _WIN32
    if (MoveFileExA(temp.c_str(), target.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0))
        return 1;
    DWORD code = GetLastError();
    errno = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS ? EEXIST : EACCES;
    return 0;
#else
    if (replace) return std::rename(temp.c_str(), target.c_str()) == 0;
    // A hard link fails when the name is taken, whatever took it: nothing is ever overwritten.
    if (link(temp.c_str(), target.c_str()) == 0) {
        unlink(temp.c_str());
        return 1;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return 0;
    // File systems without hard links: check, then rename.
    struct stat status;
    if (lstat(target.c_str(), &status) == 0) {
        errno = EEXIST;
        return 0;
    }
    return std::rename(temp.c_str(), target.c_str()) == 0;
#endif
}

int32_t pack_seek(FILE *fp, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(fp, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(fp, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

int32_t pack_writable(const std::string &path) {
#ifdef _WIN32
    return _access(path.c_str(), 2) == 0;
#else
    return access(path.c_str(), W_OK) == 0;
#endif
}

#ifndef _WIN32
static void remove_pending(int signal_number) {
    if (pending_temp[0]) unlink(pending_temp);
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}
#endif

void pack_initsignals() {
#ifndef _WIN32
    std::signal(SIGXFSZ, SIG_IGN);
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
        std::signal(signal_number, remove_pending);
#endif
}
