// Archives written byte by byte, temporary folders, and a clean mount state for every test.
#pragma once
#include "base/memory.h"
#include "vornfile/vornfile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;
using Entry = std::pair<std::string, std::string>; // stored name, contents

inline void put32(Bytes &out, uint32_t value) {
    for (int i = 0; i < 4; i++) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline uint32_t byte_sum(const std::string &name) {
    int32_t sum = 0;
    for (char c : name) sum += static_cast<int8_t>(c);
    return static_cast<uint32_t>(sum);
}

// Appends an archive to out; offsets count from the start of out, as in an executable.
inline void append_archive(Bytes &out, const std::vector<Entry> &entries) {
    uint32_t base = static_cast<uint32_t>(out.size());
    uint32_t header = 12;
    for (const Entry &e : entries) header += 12 + static_cast<uint32_t>(e.first.size());
    uint32_t end = base + header;
    for (const Entry &e : entries) end += static_cast<uint32_t>(e.second.size());
    out.insert(out.end(), {'V', 'O', 'R', 'N'});
    put32(out, static_cast<uint32_t>(entries.size()));
    put32(out, end);
    uint32_t offset = base + header;
    for (const Entry &e : entries) {
        put32(out, static_cast<uint32_t>(e.first.size()));
        put32(out, byte_sum(e.first));
        out.insert(out.end(), e.first.begin(), e.first.end());
        put32(out, offset);
        offset += static_cast<uint32_t>(e.second.size());
    }
    for (const Entry &e : entries) out.insert(out.end(), e.second.begin(), e.second.end());
}

inline Bytes make_archive(const std::vector<Entry> &entries) {
    Bytes out;
    append_archive(out, entries);
    return out;
}

// An executable-like prefix, the archive behind it and the trailer.
inline Bytes make_executable(const std::vector<Entry> &entries, uint32_t prefix) {
    Bytes out;
    for (uint32_t i = 0; i < prefix; i++) out.push_back(static_cast<uint8_t>(i * 7 + 1));
    append_archive(out, entries);
    put32(out, prefix);
    return out;
}

inline void write_file(const std::filesystem::path &path, const std::string &bytes) {
    std::filesystem::create_directories(path.parent_path());
    FILE *fp = std::fopen(path.c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), fp);
    std::fclose(fp);
}

inline void write_bytes(const std::filesystem::path &path, const Bytes &bytes) {
    write_file(path, std::string(bytes.begin(), bytes.end()));
}

// Each test gets its own temporary folder and starts and ends with nothing mounted.
struct Vornfile : testing::Test {
    std::filesystem::path dir;
    uint32_t memory_before = 0;

    void SetUp() override {
        vornfile_closeimage();
        char pattern[] = "/tmp/vornfile_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        memory_before = g_mem_in_use;
    }
    void TearDown() override {
        vornfile_closeimage();
        EXPECT_EQ(g_mem_in_use, memory_before) << "the image leaked or freed foreign memory";
        std::filesystem::remove_all(dir);
    }
    std::string path(const char *name) const { return (dir / name).string(); }

    // Mounts bytes written to a file in the test folder, capturing the diagnostics.
    int32_t mount_bytes(const Bytes &bytes, uint32_t mode, std::string *out) {
        std::string file = path(mode == 1 ? "game.exe" : "image.vorn");
        write_bytes(file, bytes);
        testing::internal::CaptureStdout();
        int32_t result = vornfile_mountimage(file.c_str(), mode);
        std::string text = testing::internal::GetCapturedStdout();
        if (out) *out = text;
        return result;
    }
};

// Runs a call and returns what it printed.
template <typename F> std::string printed(F call) {
    testing::internal::CaptureStdout();
    call();
    return testing::internal::GetCapturedStdout();
}
