#include "pack_archive.h"

#include "vornfile/vornfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

int32_t pack_readfile(const char *path, std::vector<uint8_t> *bytes, std::string *error) {
    FILE *fp = std::fopen(path, "rb");
    if (!fp) {
        *error = std::string("cannot open ") + path + ": " + std::strerror(errno);
        return 0;
    }
    bytes->clear();
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, fp)) > 0)
        bytes->insert(bytes->end(), block, block + got);
    int32_t failed = std::ferror(fp);
    std::fclose(fp);
    if (failed) {
        // A directory opens fine and only fails here, with EISDIR.
        *error = std::string("cannot read ") + path + ": " + std::strerror(errno);
        return 0;
    }
    return 1;
}

int32_t pack_writefile(const char *path, const std::vector<uint8_t> &bytes, std::string *error) {
    FILE *fp = std::fopen(path, "wb");
    if (!fp) {
        *error = std::string("cannot create ") + path + ": " + std::strerror(errno);
        return 0;
    }
    size_t put = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), fp);
    int32_t closed = std::fclose(fp) == 0;
    if (put != bytes.size() || !closed) {
        *error = std::string("cannot write ") + path;
        return 0;
    }
    return 1;
}

void pack_putint(std::vector<uint8_t> *out, uint32_t value) {
    for (int32_t i = 0; i < 4; i++) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

static int32_t has_magic(const std::vector<uint8_t> &file, uint64_t at) {
    return at + 12 <= file.size() && !std::memcmp(file.data() + at, "VORN", 4);
}

int32_t pack_parse(const std::vector<uint8_t> &file, pack_image *image, std::string *error) {
    uint64_t length = file.size();
    image->entries.clear();
    image->appended = 0;
    if (has_magic(file, 0)) {
        image->start = 0;
    } else if (length >= 16 && has_magic(file, getint(file.data() + length - 4)) &&
               getint(file.data() + length - 4) + 12 <= length - 4) {
        image->start = getint(file.data() + length - 4);
        image->appended = 1;
    } else {
        *error = "no archive found (neither a header at the start nor a trailer at the end)";
        return 0;
    }
    uint64_t at = image->start + 4;
    uint32_t count = getint(file.data() + at);
    image->romsize = getint(file.data() + at + 4);
    at += 8;
    if (image->romsize > length) {
        *error = "romsize " + std::to_string(image->romsize) + " lies beyond the file";
        return 0;
    }
    if (count > (length - at) / 12) {
        *error = std::to_string(count) + " entries cannot fit in the file";
        return 0;
    }
    uint32_t previous = 0;
    for (uint32_t i = 0; i < count; i++) {
        if (at + 8 > length) {
            *error = "directory runs past the end of the file";
            return 0;
        }
        pack_entry entry;
        uint32_t namelength = getint(file.data() + at);
        entry.hash = getint(file.data() + at + 4);
        at += 8;
        if (uint64_t{namelength} + 4 > length - at) {
            *error = "name length of entry " + std::to_string(i) + " runs past the end of the file";
            return 0;
        }
        entry.name.assign(reinterpret_cast<const char *>(file.data() + at), namelength);
        at += namelength;
        entry.offset = getint(file.data() + at);
        at += 4;
        if (entry.offset < previous || entry.offset > image->romsize) {
            *error =
                "data offset of entry " + std::to_string(i) + " is out of order or past romsize";
            return 0;
        }
        previous = entry.offset;
        image->entries.push_back(entry);
    }
    // Data begin where the directory ends, as the library requires when mounting.
    if (!image->entries.empty() && image->entries[0].offset < at) {
        *error = "data offset of entry 0 lies inside the archive header";
        return 0;
    }
    for (size_t i = 0; i < image->entries.size(); i++) {
        uint32_t end =
            i + 1 < image->entries.size() ? image->entries[i + 1].offset : image->romsize;
        image->entries[i].size = end - image->entries[i].offset;
    }
    return 1;
}

int32_t pack_build(std::vector<uint8_t> *out, const std::vector<std::string> &names,
                   const std::vector<std::vector<uint8_t>> &data, std::string *error) {
    uint64_t start = out->size();
    uint64_t header = 12;
    for (const std::string &name : names) header += 12 + name.size();
    uint64_t end = start + header;
    for (const std::vector<uint8_t> &bytes : data) end += bytes.size();
    // Offsets are 32-bit, and an appended archive still needs its trailer below 4 GiB.
    if (end + 4 > 0xFFFFFFFFu) {
        *error = "archive would pass 4 GiB";
        return 0;
    }
    out->insert(out->end(), {'V', 'O', 'R', 'N'});
    pack_putint(out, static_cast<uint32_t>(names.size()));
    pack_putint(out, static_cast<uint32_t>(end));
    uint64_t offset = start + header;
    for (size_t i = 0; i < names.size(); i++) {
        pack_putint(out, static_cast<uint32_t>(names[i].size()));
        pack_putint(out, static_cast<uint32_t>(vornfile_gethash(names[i].c_str())));
        out->insert(out->end(), names[i].begin(), names[i].end());
        pack_putint(out, static_cast<uint32_t>(offset));
        offset += data[i].size();
    }
    for (const std::vector<uint8_t> &bytes : data)
        out->insert(out->end(), bytes.begin(), bytes.end());
    return 1;
}
