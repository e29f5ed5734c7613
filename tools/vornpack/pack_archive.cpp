#include "pack_archive.h"

#include "pack_file.h"

#include "vornfile/vornfile.h"
#include "vornfile/vornfile_internal.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

// Big enough to stream at disk speed, small enough that memory stays flat.
static const size_t BLOCK = 1 << 20;

std::string pack_show(const std::string &text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", c);
            shown += code;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

std::string pack_quote(const std::string &text) {
    std::string quoted(1, '\'');
    quoted += pack_show(text);
    quoted += '\'';
    return quoted;
}

static std::string reason(int code) {
    return std::strerror(code);
}

// The file must be a readable regular file; *length gets its size.
static int32_t measure(const std::string &path, uint64_t *length, std::string *error) {
    std::error_code code;
    fs::file_status status = fs::status(path, code);
    if (code) {
        *error = "cannot read " + pack_quote(path) + ": " + code.message();
        return 0;
    }
    if (!fs::is_regular_file(status)) {
        *error = pack_quote(path) + " is not a regular file" +
                 (fs::is_directory(status) ? ": " + reason(EISDIR) : "");
        return 0;
    }
    *length = fs::file_size(path, code);
    if (code) {
        *error = "cannot read " + pack_quote(path) + ": " + code.message();
        return 0;
    }
    return 1;
}

// One mount attempt; 1 when mounted, 0 with *failed set when the file is unreadable or the
// archive damaged, 0 with *failed clear when there is no archive this way.
static int32_t mount(const char *path, uint32_t mode, int32_t *failed, std::string *error) {
    *failed = 0;
    if (vornfile_mountimage(path, mode)) return 1;
    if (vornfile_mountstatus == VORNFILE_STATUS_CANNOTOPEN) {
        *error = "cannot read " + pack_quote(path) + ": " + reason(errno);
        *failed = 1;
    } else if (vornfile_mountstatus == VORNFILE_STATUS_DAMAGED) {
        *error = pack_quote(path) + ": damaged archive: " + pack_show(vornfile_mountfault);
        *failed = 1;
    }
    vornfile_closeimage();
    return 0;
}

int32_t pack_open(const char *path, pack_image *image, std::string *error) {
    image->kind = PACK_NONE;
    image->start = 0;
    image->romsize = 0;
    image->entries.clear();
    if (!measure(path, &image->length, error)) return 0;
    int32_t failed = 0;
    if (mount(path, VORNFILE_MOUNT_ARCHIVE, &failed, error)) {
        image->kind = PACK_PLAIN;
        // Appended to an empty executable, an archive also starts at 0; its data end at a
        // trailer that names offset 0.
        if (uint64_t{vornfile_image.romsize} + 4 == image->length) {
            if (mount(path, VORNFILE_MOUNT_EXECUTABLE, &failed, error) && vornfile_headerstart == 0)
                image->kind = PACK_APPENDED;
            else if (!mount(path, VORNFILE_MOUNT_ARCHIVE, &failed, error))
                return 0;
        }
    } else if (failed) {
        return 0;
    } else if (mount(path, VORNFILE_MOUNT_EXECUTABLE, &failed, error)) {
        image->kind = PACK_APPENDED;
    } else {
        return !failed;
    }
    image->start = vornfile_headerstart;
    image->romsize = vornfile_image.romsize;
    for (uint32_t i = 0; i < vornfile_image.numfiles; i++)
        image->entries.push_back({vornfile_image.names[i], vornfile_image.offsets[i],
                                  static_cast<uint32_t>(vornfile_entrysize(i))});
    vornfile_closeimage();
    return 1;
}

// Entry names come from the file: only plain relative paths may be written.
static int32_t safe_name(const std::string &name) {
    if (name.empty() || name.front() == '/' || name.back() == '/') return 0;
    if (name.find('\\') != std::string::npos) return 0;
#ifdef _WIN32
    if (name.find(':') != std::string::npos) return 0; // drive letters and alternate streams
#endif
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return 0;
        start = end + 1;
    }
    return 1;
}

// Case-insensitive file systems would put both names in one file.
static std::string folded(const std::string &name) {
    std::string out = name;
    for (char &c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    return out;
}

int32_t pack_checkentries(const std::vector<pack_entry> &entries, std::string *error) {
    std::map<std::string, const std::string *> seen; // folded name -> stored name
    std::map<std::string, const std::string *> folders;
    for (const pack_entry &entry : entries) {
        if (!safe_name(entry.name)) {
            *error = "refusing to extract unsafe name " + pack_quote(entry.name);
            return 0;
        }
        auto [at, fresh] = seen.emplace(folded(entry.name), &entry.name);
        if (!fresh) {
            *error = *at->second == entry.name
                         ? "two entries are named " + pack_quote(entry.name)
                         : "entries " + pack_quote(*at->second) + " and " + pack_quote(entry.name) +
                               " differ only in case";
            return 0;
        }
        for (size_t slash = entry.name.find('/'); slash != std::string::npos;
             slash = entry.name.find('/', slash + 1))
            folders.emplace(folded(entry.name.substr(0, slash)), &entry.name);
    }
    for (const auto &[name, stored] : seen) {
        auto folder = folders.find(name);
        if (folder != folders.end()) {
            *error = "entry " + pack_quote(*stored) + " is also the folder of " +
                     pack_quote(*folder->second);
            return 0;
        }
    }
    return 1;
}

int32_t pack_gather(const std::string &output, const std::vector<std::string> &paths,
                    std::vector<pack_input> *inputs, std::string *error) {
    std::set<std::string> names;
    for (const std::string &path : paths) {
        pack_input input = {path, fs::path(path).filename().string(), 0};
        if (!measure(path, &input.size, error)) return 0;
        std::error_code code;
        if (fs::equivalent(output, path, code)) {
            *error = pack_quote(path) + " is the output file itself";
            return 0;
        }
        const std::string &name = input.name;
        if (name.empty() || name.size() > 255) {
            *error = pack_quote(path) + ": stored name must have 1 to 255 bytes";
            return 0;
        }
        if (name.find('\\') != std::string::npos) {
            *error = pack_quote(path) + ": stored name " + pack_quote(name) +
                     " has a backslash, which reads as a folder separator";
            return 0;
        }
        if (folded(name) != name) {
            *error = pack_quote(path) + ": stored name " + pack_quote(name) +
                     " has upper-case letters and could never be found; rename the file";
            return 0;
        }
        if (!names.insert(name).second) {
            *error = pack_quote(path) + ": a file named " + pack_quote(name) + " is already stored";
            return 0;
        }
        if (input.size > INT32_MAX) {
            *error = pack_quote(path) + " is 2 GiB or larger (" + std::to_string(input.size) +
                     " bytes); the library reads entries below 2 GiB only";
            return 0;
        }
        inputs->push_back(input);
    }
    return 1;
}

static uint64_t header_size(const std::vector<pack_input> &inputs) {
    uint64_t size = 12;
    for (const pack_input &input : inputs) size += 12 + input.name.size();
    return size;
}

int32_t pack_archivesize(uint64_t base, const std::vector<pack_input> &inputs,
                         const std::string &outname, uint64_t *size, std::string *error) {
    *size = header_size(inputs);
    for (const pack_input &input : inputs) *size += input.size;
    // Offsets are 32-bit, and an appended archive still needs its trailer below 4 GiB.
    if (base + *size + 4 > 0xFFFFFFFFu) {
        *error = pack_quote(outname) + " would pass 4 GiB (" + std::to_string(base + *size + 4) +
                 " bytes); archive offsets are 32-bit";
        return 0;
    }
    return 1;
}

void pack_putint(std::vector<uint8_t> *out, uint32_t value) {
    for (int32_t i = 0; i < 4; i++) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

static int32_t put(FILE *out, const void *bytes, size_t n, const std::string &outname,
                   std::string *error) {
    if (n == 0 || std::fwrite(bytes, 1, n, out) == n) return 1;
    *error = "cannot write " + pack_quote(outname) + ": " + reason(errno);
    return 0;
}

int32_t pack_copy(FILE *in, const std::string &inname, uint64_t offset, uint64_t size, FILE *out,
                  const std::string &outname, std::string *error) {
    if (!pack_seek(in, offset)) {
        *error = "cannot read " + pack_quote(inname) + ": " + reason(errno);
        return 0;
    }
    std::unique_ptr<uint8_t[]> block(new uint8_t[BLOCK]);
    while (size > 0) {
        size_t want = size < BLOCK ? static_cast<size_t>(size) : BLOCK;
        size_t got = std::fread(block.get(), 1, want, in);
        if (got != want) {
            *error = std::ferror(in) ? "cannot read " + pack_quote(inname) + ": " + reason(errno)
                                     : pack_quote(inname) + " ended early: it changed while read";
            return 0;
        }
        if (!put(out, block.get(), got, outname, error)) return 0;
        size -= got;
    }
    return 1;
}

int32_t pack_writearchive(FILE *out, uint64_t base, const std::vector<pack_input> &inputs,
                          const std::string &outname, std::string *error) {
    uint64_t size;
    if (!pack_archivesize(base, inputs, outname, &size, error)) return 0;
    std::vector<uint8_t> header = {'V', 'O', 'R', 'N'};
    pack_putint(&header, static_cast<uint32_t>(inputs.size()));
    pack_putint(&header, static_cast<uint32_t>(base + size));
    uint64_t offset = base + header_size(inputs);
    for (const pack_input &input : inputs) {
        pack_putint(&header, static_cast<uint32_t>(input.name.size()));
        pack_putint(&header, static_cast<uint32_t>(vornfile_gethash(input.name.c_str())));
        header.insert(header.end(), input.name.begin(), input.name.end());
        pack_putint(&header, static_cast<uint32_t>(offset));
        offset += input.size;
    }
    if (!put(out, header.data(), header.size(), outname, error)) return 0;
    for (const pack_input &input : inputs) {
        FILE *in = std::fopen(input.path.c_str(), "rb");
        if (!in) {
            *error = "cannot read " + pack_quote(input.path) + ": " + reason(errno);
            return 0;
        }
        int32_t copied = pack_copy(in, input.path, 0, input.size, out, outname, error);
        std::fclose(in);
        if (!copied) return 0;
    }
    return 1;
}
