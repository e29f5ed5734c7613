// Archives as the tool sees them: what a file holds (read through the library's own reader),
// the checks before extracting, and writing a new archive from files streamed in blocks.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum : int32_t {
    PACK_NONE = 0,     // neither an archive file nor an executable carrying one
    PACK_PLAIN = 1,    // an archive file, header at offset 0
    PACK_APPENDED = 2, // an archive behind an executable, found through the trailer
};

struct pack_entry {
    std::string name; // as the reader sees it
    uint32_t offset;  // absolute, from the start of the file holding the archive
    uint32_t size;
};

struct pack_image {
    int32_t kind;
    uint64_t length;  // of the whole file
    uint64_t start;   // offset of the archive header
    uint32_t romsize; // end of the last entry's data
    std::vector<pack_entry> entries;
};

// A file to pack, measured but not yet read.
struct pack_input {
    std::string path;
    std::string name; // the name it is stored under
    uint64_t size;
};

// A name or path fit to print: control bytes are shown as \xNN, so a crafted name cannot
// garble a listing or a terminal.
std::string pack_show(const std::string &text);
std::string pack_quote(const std::string &text);

// Mounts the file with the library's reader, first as an archive file, then as an executable.
// A file holding no archive gives 1 with kind PACK_NONE; an unreadable file or a damaged
// archive gives 0 and a message.
int32_t pack_open(const char *path, pack_image *image, std::string *error);

// Refuses, before anything is written, entries that could not be extracted side by side:
// names that leave the folder, duplicates, names differing only in case, and a name that is
// also the folder of another.
int32_t pack_checkentries(const std::vector<pack_entry> &entries, std::string *error);

// Measures the FILEs and checks the names they will be stored under; reads no data. The
// output may not be one of them.
int32_t pack_gather(const std::string &output, const std::vector<std::string> &paths,
                    std::vector<pack_input> *inputs, std::string *error);

// Bytes of an archive of the inputs, and whether it fits behind `base` bytes with a trailer.
int32_t pack_archivesize(uint64_t base, const std::vector<pack_input> &inputs,
                         const std::string &outname, uint64_t *size, std::string *error);

// Writes the header, directory and data, offsets counted from `base`; messages name `outname`.
int32_t pack_writearchive(FILE *out, uint64_t base, const std::vector<pack_input> &inputs,
                          const std::string &outname, std::string *error);

// Copies `size` bytes from `offset` of `in` to `out` in blocks.
int32_t pack_copy(FILE *in, const std::string &inname, uint64_t offset, uint64_t size, FILE *out,
                  const std::string &outname, std::string *error);

void pack_putint(std::vector<uint8_t> *out, uint32_t value);
