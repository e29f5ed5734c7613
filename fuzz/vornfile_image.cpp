// Mounts arbitrary bytes as an archive file and as an executable with an appended archive,
// then lists the image and opens and reads every entry; then reads it as the archive tool
// does (what the file holds, the checks before extracting, the names it prints).
#include "base/memory.h"
#include "vornpack/pack_archive.h"
#include "vornfile/vornfile_internal.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

static std::string image_path;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // The mount speaks on every call; keep the fuzzer's own output readable.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    const char *dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    image_path = std::string(dir) + "/fuzz_vornfile_image_" + std::to_string(getpid());
    return 0;
}

static void browse() {
    vornfile_readdir("*.*");
    std::vector<std::string> dirs;
    for (uint32_t i = 0; i < vornfile_numfiles; i++)
        if (vornfile_filelist[i].isdir) dirs.push_back(vornfile_filelist[i].path);
    for (const std::string &dir : dirs) {
        vornfile_chdir(dir.c_str());
        vornfile_readdir("x.tga");
        vornfile_chdir("..");
    }
}

static void read_entries() {
    std::vector<uint8_t> buffer;
    for (uint32_t i = 0; i < vornfile_image.numfiles; i++) {
        vornfile_handle handle = {};
        if (!vornfile_open(vornfile_image.names[i], &handle, 0)) continue;
        // The mount keeps every entry inside the file, so this size is bounded by the input.
        buffer.resize(static_cast<uint32_t>(handle.size) + 1);
        vornfile_read(buffer.data(), 1, static_cast<uint32_t>(handle.size), &handle);
        vornfile_feof(&handle);
        vornfile_seek(&handle, 1, 0);
        char line[64];
        vornfile_gets(line, sizeof line, &handle);
        vornfile_tell(&handle);
        vornfile_write(line, 1, 1, &handle);
        vornfile_close(&handle);
    }
    if (vornfile_image.numfiles > 0) {
        void *whole = vornfile_loadbuffer(vornfile_image.names[0]);
        if (whole) _wrap_free_dbg(whole, "fuzz/vornfile_image", __LINE__);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FILE *fp = std::fopen(image_path.c_str(), "wb");
    if (!fp) return 0;
    if (size) std::fwrite(data, 1, size, fp);
    std::fclose(fp);
    for (uint32_t mode = 0; mode < 2; mode++) {
        if (vornfile_mountimage(image_path.c_str(), mode)) {
            browse();
            read_entries();
        }
    }
    vornfile_closeimage();
    pack_image image;
    std::string error;
    if (pack_open(image_path.c_str(), &image, &error) && image.kind != PACK_NONE) {
        pack_checkentries(image.entries, &error);
        for (const pack_entry &entry : image.entries) {
            // The reader keeps every entry inside the file.
            if (uint64_t{entry.offset} + entry.size > image.length) __builtin_trap();
            pack_show(entry.name);
        }
    }
    unlink(image_path.c_str());
    return 0;
}
