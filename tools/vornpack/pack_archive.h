// Archive bytes in memory: building a directory and data, and finding and reading one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct pack_entry {
    std::string name;
    uint32_t hash;
    uint32_t offset; // absolute, from the start of the file holding the archive
    uint32_t size;
};

struct pack_image {
    uint64_t start; // offset of the "VORN" header in the file
    uint32_t romsize;
    int32_t appended; // 1 when found through the trailer of an executable
    std::vector<pack_entry> entries;
};

// Reads a whole file; 0 with a message in *error on failure.
int32_t pack_readfile(const char *path, std::vector<uint8_t> *bytes, std::string *error);
// Writes bytes to a file, replacing it.
int32_t pack_writefile(const char *path, const std::vector<uint8_t> &bytes, std::string *error);

// Finds the archive in an archive file (header at 0) or behind an executable (trailer) and
// checks every field against the file.
int32_t pack_parse(const std::vector<uint8_t> &file, pack_image *image, std::string *error);

// Appends the header, the directory and the data of the named files to out, with offsets
// absolute from the start of out; names must already be checked.
int32_t pack_build(std::vector<uint8_t> *out, const std::vector<std::string> &names,
                   const std::vector<std::vector<uint8_t>> &data, std::string *error);

void pack_putint(std::vector<uint8_t> *out, uint32_t value);
