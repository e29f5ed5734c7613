// Image files written by the tests into a temporary folder mounted as the file system, loaded
// in either depth and compared with the same pixels drawn one by one.
#pragma once
#include "../graphics/depth_fixture.h"
#include "base/memory.h"
#include "graphics/primitives.h"
#include "image/image.h"
#include "image/image_internal.h"
#include "vornfile/vornfile.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "support/temp_dir.h"

using Bytes = std::vector<uint8_t>;

// Little-endian fields of the given widths in bytes ("142": 1, 4 and 2 bytes).
inline Bytes le(const char *widths, std::initializer_list<uint32_t> values) {
    Bytes b;
    for (uint32_t value : values)
        for (int i = 0, n = *widths++ - '0'; i < n; i++) b.push_back(uint8_t(value >> (8 * i)));
    return b;
}
inline Bytes operator+(Bytes a, const Bytes &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
inline size_t lines(const std::string &text) {
    return size_t(std::count(text.begin(), text.end(), '\n'));
}
inline std::string not_loaded(const std::string &name) {
    return "\xFE ERROR: Image " + name + " not loaded.\n";
}

// The pixels `argb` (top row first) drawn one by one must give the loaded bitmap's bytes.
inline void expect_drawn(const VRX_Bitmap &loaded, int32_t w, int32_t h,
                         const std::vector<uint32_t> &argb) {
    ASSERT_NE(loaded.data, nullptr);
    ASSERT_EQ(loaded.width * 10000 + loaded.height, w * 10000 + h);
    VRX_Bitmap ref{};
    VRX_CreateBitmap(w, h, &ref);
    for (int32_t i = 0; i < w * h; i++) VRX_DrawPixel(i % w, i / w, argb.at(size_t(i)), ref);
    EXPECT_EQ(std::memcmp(ref.data, loaded.data, ref.size), 0);
    printed([&] { VRX_DeleteBitmap(&ref); });
}

struct ImageFiles : BothDepths {
    std::filesystem::path dir;
    uint32_t memory_before = 0;

    void SetUp() override {
        BothDepths::SetUp();
        char pattern[] = "/tmp/image_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        printed([&] { vornfile_mountimage(dir.string().c_str(), VORNFILE_MOUNT_DIRECTORY); });
        memory_before = g_mem_in_use;
    }
    void TearDown() override {
        EXPECT_EQ(g_mem_in_use, memory_before) << "a loader leaked";
        printed([] { vornfile_closeimage(); });
        std::filesystem::remove_all(dir);
        BothDepths::TearDown();
    }
    // Stored in lower case: the file system folds every request.
    void write(std::string name, const Bytes &bytes) const {
        for (char &c : name) c = char(std::tolower(uint8_t(c)));
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    }
    // Loads `bytes` saved as `name` through the dispatcher; returns what it printed.
    std::string load(const std::string &name, const Bytes &bytes, VRX_Bitmap *bm) {
        write(name, bytes);
        *bm = {};
        return printed([&] { VRX_LoadBitmap(name.c_str(), bm); });
    }
    void drop(VRX_Bitmap *bm) {
        printed([&] { VRX_DeleteBitmap(bm); });
    }
};
