// Archives written byte by byte, temporary folders, and a clean mount state for every test.
#pragma once
#include "base/memory.h"
#include "vornfile/vornfile_internal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "support/temp_dir.h"

using Bytes = std::vector<uint8_t>;
using Entry = std::pair<std::string, std::string>; // stored name, contents

// An archive behind `prefix` filler bytes, offsets counted from the start of the file; with a
// prefix the trailer follows, as behind an executable.
inline Bytes make_image(const std::vector<Entry> &entries, uint32_t prefix) {
    Bytes out;
    auto put32 = [&out](uint32_t value) {
        for (int i = 0; i < 4; i++) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    for (uint32_t i = 0; i < prefix; i++) out.push_back(static_cast<uint8_t>(i * 7 + 1));
    uint32_t offset = prefix + 12;
    for (const Entry &e : entries) offset += 12 + static_cast<uint32_t>(e.first.size());
    uint32_t end = offset;
    for (const Entry &e : entries) end += static_cast<uint32_t>(e.second.size());
    for (char c : {'V', 'O', 'R', 'N'}) out.push_back(static_cast<uint8_t>(c));
    put32(static_cast<uint32_t>(entries.size()));
    put32(end);
    for (const Entry &e : entries) {
        int32_t hash = 0;
        for (char c : e.first) hash += static_cast<int8_t>(c);
        put32(static_cast<uint32_t>(e.first.size()));
        put32(static_cast<uint32_t>(hash));
        out.insert(out.end(), e.first.begin(), e.first.end());
        put32(offset);
        offset += static_cast<uint32_t>(e.second.size());
    }
    for (const Entry &e : entries) out.insert(out.end(), e.second.begin(), e.second.end());
    if (prefix) put32(prefix);
    return out;
}

// Overwrites four little-endian bytes at `at`.
inline void poke32(Bytes &bytes, size_t at, uint64_t value) {
    for (int i = 0; i < 4; i++) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

inline void write_file(const std::filesystem::path &path, const std::string &bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs a call and returns what it printed.
template <typename F> std::string printed(F call) {
    testing::internal::CaptureStdout();
    call();
    return testing::internal::GetCapturedStdout();
}

inline int32_t open_quietly(const char *name, vornfile_handle *handle) {
    int32_t found = 0;
    printed([&] { found = vornfile_open(name, handle, 0); });
    return found;
}

inline void expect_nothing_mounted() {
    EXPECT_EQ(g_fp, nullptr);
    EXPECT_EQ(vornfile_image.source, nullptr);
    EXPECT_EQ(vornfile_image.numfiles, 0u);
    EXPECT_EQ(vornfile_image.names, nullptr);
    EXPECT_EQ(vornfile_localpath, nullptr);
    EXPECT_EQ(vornfile_filelist, nullptr);
}

// Each test gets its own temporary folder, starts and ends with nothing mounted, and gets its
// working directory back.
struct Vornfile : testing::Test {
    std::filesystem::path dir, start;
    uint32_t memory_before = 0;

    void SetUp() override {
        vornfile_closeimage();
        char pattern[] = "/tmp/vornfile_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        start = std::filesystem::current_path();
        memory_before = g_mem_in_use;
    }
    void TearDown() override {
        std::filesystem::current_path(start);
        vornfile_closeimage();
        EXPECT_EQ(g_mem_in_use, memory_before) << "the image leaked or freed foreign memory";
        std::filesystem::remove_all(dir);
    }
    std::string path(const char *name) const { return (dir / name).string(); }

    // Mounts bytes written to a file in the test folder; *out gets what the mount printed.
    int32_t mount_bytes(const Bytes &bytes, uint32_t mode, std::string *out) {
        std::string file = path(mode == 1 ? "game.exe" : "image.vorn");
        write_file(file, std::string(bytes.begin(), bytes.end()));
        int32_t result = 0;
        std::string text = printed([&] { result = vornfile_mountimage(file.c_str(), mode); });
        if (out) *out = text;
        return result;
    }
};
