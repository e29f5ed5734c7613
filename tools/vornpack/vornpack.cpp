// vornpack: builds archives of the packed file system, appends them to executables, lists and
// unpacks them. The game's build calls it, so its command line stays as it is.
#include "pack_archive.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

static const char *const USAGE = "Usage: vornpack create ARCHIVE FILE...\n"
                                 "       vornpack append EXECUTABLE FILE...\n"
                                 "       vornpack list IMAGE\n"
                                 "       vornpack extract IMAGE DIR\n";

static const char *const HELP =
    "\n"
    "Builds, appends, lists and unpacks archives of the Vorn packed file system, which the\n"
    "library mounts from an archive file or from the end of an executable.\n"
    "\n"
    "Commands:\n"
    "  create ARCHIVE FILE...     write a new archive holding the FILEs, in the order given;\n"
    "                             ARCHIVE is replaced if it exists\n"
    "  append EXECUTABLE FILE...  put an archive of the FILEs behind EXECUTABLE, followed by\n"
    "                             the 4-byte trailer that locates it; an archive already\n"
    "                             appended to EXECUTABLE is replaced\n"
    "  list IMAGE                 print name, size and data offset of every entry of an\n"
    "                             archive file or of an executable carrying one\n"
    "  extract IMAGE DIR          write every entry of IMAGE into DIR (created if missing)\n"
    "\n"
    "Options:\n"
    "  -h, --help                 show this help and exit\n"
    "\n"
    "Each FILE is stored under its base name: assets/leds.tga is stored as leds.tga.\n"
    "Names must have no upper-case letters (the library folds every request to lower case)\n"
    "and no backslash, have at most 255 bytes, and two FILEs may not share a name. The\n"
    "output of create or append may not also be one of the FILEs.\n"
    "\n"
    "Examples:\n"
    "  vornpack create assets.vorn gfx/leds.tga gfx/font_heat.tga\n"
    "  vornpack append game.exe gfx/leds.tga gfx/font_heat.tga\n"
    "  vornpack extract game.exe unpacked\n"
    "\n"
    "Exit status is 0 on success and 1 on any error.\n";

static int32_t fail(const std::string &message) {
    std::fprintf(stderr, "vornpack: %s\n", message.c_str());
    return 1;
}

static int32_t usage_error(const char *message) {
    std::fprintf(stderr, "vornpack: %s\n%sTry 'vornpack --help' for more information.\n", message,
                 USAGE);
    return 1;
}

// Reads the FILEs and checks the names they will be stored under. The output file may not be
// one of them: it would be replaced by (or packed into) itself.
static int32_t gather(const char *output, int32_t count, char **paths,
                      std::vector<std::string> *names, std::vector<std::vector<uint8_t>> *data,
                      std::string *error) {
    for (int32_t i = 0; i < count; i++) {
        std::error_code code;
        if (!fs::is_regular_file(paths[i], code)) {
            *error = std::string(paths[i]) + ": not a regular file";
            return 0;
        }
        if (fs::equivalent(output, paths[i], code)) {
            *error = std::string(paths[i]) + ": is the output file itself";
            return 0;
        }
        std::string name = fs::path(paths[i]).filename().string();
        if (name.empty() || name.size() > 255) {
            *error = std::string(paths[i]) + ": stored name must have 1 to 255 bytes";
            return 0;
        }
        if (name.find('\\') != std::string::npos) {
            *error = std::string(paths[i]) + ": stored name '" + name +
                     "' has a backslash, which reads as a folder separator";
            return 0;
        }
        for (char c : name) {
            if (c >= 'A' && c <= 'Z') {
                *error = std::string(paths[i]) + ": stored name '" + name +
                         "' has upper-case letters and could never be found; rename the file";
                return 0;
            }
        }
        for (const std::string &other : *names) {
            if (other == name) {
                *error = std::string(paths[i]) + ": a file named '" + name + "' is already stored";
                return 0;
            }
        }
        std::vector<uint8_t> bytes;
        if (!pack_readfile(paths[i], &bytes, error)) return 0;
        names->push_back(name);
        data->push_back(std::move(bytes));
    }
    return 1;
}

static int32_t command_create(int32_t argc, char **argv) {
    if (argc < 4) return usage_error("create needs an archive name and at least one file");
    std::vector<std::string> names;
    std::vector<std::vector<uint8_t>> data;
    std::vector<uint8_t> archive;
    std::string error;
    if (!gather(argv[2], argc - 3, argv + 3, &names, &data, &error) ||
        !pack_build(&archive, names, data, &error) || !pack_writefile(argv[2], archive, &error))
        return fail(error);
    return 0;
}

static int32_t command_append(int32_t argc, char **argv) {
    if (argc < 4) return usage_error("append needs an executable and at least one file");
    const char *target = argv[2];
    std::vector<std::string> names;
    std::vector<std::vector<uint8_t>> data;
    std::vector<uint8_t> file;
    std::string error;
    if (!pack_readfile(target, &file, &error)) return fail(error);
    if (!gather(target, argc - 3, argv + 3, &names, &data, &error)) return fail(error);
    // An archive appended earlier (trailer pointing at a header whose data end at the trailer)
    // is cut off and replaced.
    pack_image old = {};
    std::string ignored;
    uint64_t keep = file.size();
    if (pack_parse(file, &old, &ignored) && old.appended && old.romsize == file.size() - 4)
        keep = old.start;
    file.resize(keep);
    if (!pack_build(&file, names, data, &error)) return fail(error);
    pack_putint(&file, static_cast<uint32_t>(keep));
    // Rewrite in place so that the executable keeps its permissions.
    FILE *fp = std::fopen(target, "r+b");
    if (!fp) return fail(std::string("cannot open ") + target + " for writing");
    size_t put = std::fwrite(file.data(), 1, file.size(), fp);
    int32_t closed = std::fclose(fp) == 0;
    std::error_code code;
    if (put != file.size() || !closed) return fail(std::string("cannot write ") + target);
    fs::resize_file(target, file.size(), code);
    if (code) return fail(std::string("cannot truncate ") + target + ": " + code.message());
    return 0;
}

static int32_t load_image(const char *path, std::vector<uint8_t> *file, pack_image *image) {
    std::string error;
    if (!pack_readfile(path, file, &error)) return fail(error);
    if (!pack_parse(*file, image, &error)) return fail(std::string(path) + ": " + error);
    return 0;
}

static int32_t command_list(int32_t argc, char **argv) {
    if (argc != 3) return usage_error("list needs exactly one image");
    std::vector<uint8_t> file;
    pack_image image;
    if (load_image(argv[2], &file, &image)) return 1;
    size_t width = 4;
    for (const pack_entry &entry : image.entries) width = std::max(width, entry.name.size());
    for (const pack_entry &entry : image.entries)
        std::printf("%-*s %10u %10u\n", static_cast<int>(width), entry.name.c_str(), entry.size,
                    entry.offset);
    return 0;
}

// Entry names come from the file: only plain relative paths may be written.
static int32_t safe_name(const std::string &name) {
    if (name.empty() || name.front() == '/' || name.back() == '/') return 0;
    if (name.find('\0') != std::string::npos || name.find('\\') != std::string::npos) return 0;
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

static int32_t command_extract(int32_t argc, char **argv) {
    if (argc != 4) return usage_error("extract needs an image and a directory");
    std::vector<uint8_t> file;
    pack_image image;
    if (load_image(argv[2], &file, &image)) return 1;
    for (const pack_entry &entry : image.entries)
        if (!safe_name(entry.name))
            return fail(std::string(argv[2]) + ": refusing to extract unsafe name '" + entry.name +
                        "'");
    std::error_code code;
    fs::path dir(argv[3]);
    if (fs::exists(dir, code) && !fs::is_directory(dir, code))
        return fail(std::string(argv[3]) + ": exists and is not a directory");
    fs::create_directories(dir, code);
    if (code) return fail(std::string("cannot create ") + argv[3] + ": " + code.message());
    for (const pack_entry &entry : image.entries) {
        fs::path out = dir / entry.name;
        fs::create_directories(out.parent_path(), code);
        std::vector<uint8_t> bytes(file.begin() + entry.offset,
                                   file.begin() + entry.offset + entry.size);
        std::string error;
        if (code || !pack_writefile(out.string().c_str(), bytes, &error))
            return fail(code ? "cannot create " + out.parent_path().string() : error);
    }
    return 0;
}

int main(int argc, char **argv) {
    if (argc < 2) return usage_error("no command given");
    // Help wins wherever it stands, as in "vornpack append --help".
    for (int32_t i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")) {
            std::printf("%s%s", USAGE, HELP);
            return 0;
        }
    }
    const char *command = argv[1];
    if (!std::strcmp(command, "create")) return command_create(argc, argv);
    if (!std::strcmp(command, "append")) return command_append(argc, argv);
    if (!std::strcmp(command, "list")) return command_list(argc, argv);
    if (!std::strcmp(command, "extract")) return command_extract(argc, argv);
    return usage_error((std::string("unknown command '") + command + "'").c_str());
}
