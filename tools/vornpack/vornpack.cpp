// vornpack: builds archives of the packed file system, appends them to executables, lists and
// unpacks them. The game's build calls it, so its command line stays as it is. Archives are
// read with the library's own reader; every file is written whole or not at all.
#include "pack_archive.h"
#include "pack_file.h"

#include "base/dbg.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

static const char *const USAGE = "Usage: vornpack create ARCHIVE FILE...\n"
                                 "       vornpack append EXECUTABLE FILE...\n"
                                 "       vornpack list IMAGE\n"
                                 "       vornpack extract [--force] IMAGE DIR\n";

static const char *const HELP =
    "\n"
    "Builds, appends, lists and unpacks archives of the Vorn packed file system, which the\n"
    "library mounts from an archive file or from the end of an executable.\n"
    "\n"
    "Commands:\n"
    "  create ARCHIVE FILE...     write a new archive holding the FILEs, in the order given;\n"
    "                             ARCHIVE is replaced if it exists\n"
    "  append EXECUTABLE FILE...  put an archive of the FILEs behind EXECUTABLE, followed by\n"
    "                             the 4-byte trailer that locates it. An archive appended\n"
    "                             earlier (its data ending at the trailer) is replaced, so the\n"
    "                             executable carries only the new one; the executable's own\n"
    "                             bytes are kept. A plain archive file is refused: use create\n"
    "  list IMAGE                 print name, size and data offset of every entry of an\n"
    "                             archive file or of an executable carrying one\n"
    "  extract IMAGE DIR          write every entry of IMAGE into DIR (created if missing)\n"
    "\n"
    "Options:\n"
    "  --force                    extract: replace files that already exist in DIR (without\n"
    "                             it, extract stops before writing anything if one does)\n"
    "  -h, --help                 show this help and exit\n"
    "\n"
    "Each FILE is stored under its base name: assets/leds.tga is stored as leds.tga.\n"
    "Names must have no upper-case letters (the library folds every request to lower case)\n"
    "and no backslash, have at most 255 bytes, and two FILEs may not share a name. Each FILE\n"
    "must be smaller than 2 GiB and the archive smaller than 4 GiB. The output of create or\n"
    "append may not also be one of the FILEs.\n"
    "\n"
    "Every file is written to a temporary file in the same folder and renamed into place once\n"
    "complete: on any error the file that was there is left as it was. extract refuses\n"
    "entries with unsafe, duplicate or case-colliding names, and never follows a symbolic\n"
    "link inside DIR.\n"
    "\n"
    "Examples:\n"
    "  vornpack create assets.vorn gfx/leds.tga gfx/font_heat.tga\n"
    "  vornpack append game.exe gfx/leds.tga gfx/font_heat.tga\n"
    "  vornpack extract game.exe unpacked\n"
    "\n"
    "Exit status is 0 on success and 1 on any error.\n";

using Args = std::vector<std::string>;

static int32_t fail(const std::string &message) {
    std::fprintf(stderr, "vornpack: %s\n", message.c_str());
    return 1;
}

static int32_t usage_error(const std::string &message) {
    std::fprintf(stderr, "vornpack: %s\n%sTry 'vornpack --help' for more information.\n",
                 message.c_str(), USAGE);
    return 1;
}

static std::string system_reason(int code) {
    return std::strerror(code);
}

// A file about to be replaced must be a regular file, not a link or a folder; *mode gets the
// permission bits the new file takes over (a new file gets the usual ones).
static int32_t check_target(const std::string &target, int32_t must_exist, uint32_t *mode,
                            std::string *error) {
    std::error_code code;
    fs::file_status status = fs::symlink_status(target, code);
    if (status.type() == fs::file_type::not_found && !must_exist) {
        *mode = pack_newmode();
        return 1;
    }
    if (code) {
        *error = "cannot open " + pack_quote(target) + ": " + code.message();
        return 0;
    }
    if (fs::is_symlink(status)) {
        *error = pack_quote(target) + " is a symbolic link; name the file it points to";
        return 0;
    }
    if (!fs::is_regular_file(status)) {
        *error = pack_quote(target) + " is not a regular file" +
                 (fs::is_directory(status) ? ": " + system_reason(EISDIR) : "");
        return 0;
    }
    // A file the user has made read-only stays as it is.
    if (!pack_writable(target)) {
        *error = "cannot write " + pack_quote(target) + ": " + system_reason(errno);
        return 0;
    }
    *mode = static_cast<uint32_t>(status.permissions()) & 07777;
    return 1;
}

// Writes target whole or not at all: the bytes go to a temporary file in the same folder, which
// is synced and then renamed into place; on failure it is removed and target is untouched.
static int32_t write_whole(const std::string &target, uint32_t mode, int32_t replace,
                           const std::function<int32_t(FILE *, std::string *)> &fill,
                           std::string *error) {
    std::string temp;
    FILE *out = pack_createtemp(target, &temp);
    if (!out) {
        *error = "cannot create a temporary file beside " + pack_quote(target) + ": " +
                 system_reason(errno);
        return 0;
    }
    int32_t ok = pack_setmode(out, mode);
    if (!ok)
        *error = "cannot set the permissions of " + pack_quote(temp) + ": " + system_reason(errno);
    if (ok) ok = fill(out, error);
    if (ok && !pack_sync(out)) {
        *error = "cannot write " + pack_quote(target) + ": " + system_reason(errno);
        ok = 0;
    }
    if (std::fclose(out) != 0 && ok) {
        *error = "cannot write " + pack_quote(target) + ": " + system_reason(errno);
        ok = 0;
    }
    if (ok && !pack_publish(temp, target, replace)) {
        *error = errno == EEXIST
                     ? pack_quote(target) + " exists; use --force to replace it"
                     : "cannot create " + pack_quote(target) + ": " + system_reason(errno);
        ok = 0;
    }
    if (!ok) std::remove(temp.c_str());
    pack_forgettemp();
    return ok;
}

static int32_t command_create(const Args &args) {
    if (args.size() < 3) return usage_error("create needs an archive name and at least one file");
    const std::string &target = args[1];
    std::vector<pack_input> inputs;
    std::string error;
    uint32_t mode;
    uint64_t size;
    if (!check_target(target, 0, &mode, &error) ||
        !pack_gather(target, Args(args.begin() + 2, args.end()), &inputs, &error) ||
        !pack_archivesize(0, inputs, target, &size, &error))
        return fail(error);
    auto fill = [&](FILE *out, std::string *message) {
        return pack_writearchive(out, 0, inputs, target, message);
    };
    return write_whole(target, mode, 1, fill, &error) ? 0 : fail(error);
}

static int32_t command_append(const Args &args) {
    if (args.size() < 3) return usage_error("append needs an executable and at least one file");
    const std::string &target = args[1];
    std::vector<pack_input> inputs;
    pack_image image;
    std::string error;
    uint32_t mode;
    if (!check_target(target, 1, &mode, &error) ||
        !pack_gather(target, Args(args.begin() + 2, args.end()), &inputs, &error) ||
        !pack_open(target.c_str(), &image, &error))
        return fail(error);
    uint64_t keep = image.length;
    if (image.kind == PACK_PLAIN)
        return fail(pack_quote(target) +
                    " is an archive file, not an executable; use create to replace it");
    if (image.kind == PACK_APPENDED) {
        // Cutting anything but an archive that ends at its trailer could lose the program's bytes.
        if (image.romsize != image.length - 4)
            return fail(pack_quote(target) + " carries an archive that does not end at its " +
                        "trailer; left unchanged");
        keep = image.start;
        std::printf("%s: executable with an archive of %zu entries; the archive is replaced\n",
                    pack_show(target).c_str(), image.entries.size());
    } else {
        std::printf("%s: executable without an archive; the archive is appended\n",
                    pack_show(target).c_str());
    }
    uint64_t size;
    if (!pack_archivesize(keep, inputs, target, &size, &error)) return fail(error);
    auto fill = [&](FILE *out, std::string *message) {
        FILE *in = std::fopen(target.c_str(), "rb");
        if (!in) {
            *message = "cannot read " + pack_quote(target) + ": " + system_reason(errno);
            return 0;
        }
        int32_t ok = pack_copy(in, target, 0, keep, out, target, message);
        std::fclose(in);
        std::vector<uint8_t> trailer;
        pack_putint(&trailer, static_cast<uint32_t>(keep));
        if (ok) ok = pack_writearchive(out, keep, inputs, target, message);
        if (ok && std::fwrite(trailer.data(), 1, 4, out) != 4) {
            *message = "cannot write " + pack_quote(target) + ": " + system_reason(errno);
            ok = 0;
        }
        return ok;
    };
    return write_whole(target, mode, 1, fill, &error) ? 0 : fail(error);
}

static int32_t load_image(const std::string &path, pack_image *image) {
    std::string error;
    if (!pack_open(path.c_str(), image, &error)) return fail(error);
    if (image->kind == PACK_NONE)
        return fail("no archive found in " + pack_quote(path) +
                    " (neither a header at the start nor a trailer at the end)");
    return 0;
}

static int32_t command_list(const Args &args) {
    if (args.size() != 2) return usage_error("list needs exactly one image");
    pack_image image;
    if (load_image(args[1], &image)) return 1;
    std::vector<std::string> names;
    size_t width = 4;
    for (const pack_entry &entry : image.entries) {
        names.push_back(pack_show(entry.name));
        width = std::max(width, names.back().size());
    }
    for (size_t i = 0; i < names.size(); i++)
        std::printf("%-*s %10u %10u\n", static_cast<int>(width), names[i].c_str(),
                    image.entries[i].size, image.entries[i].offset);
    return 0;
}

// Every existing part of dir/name below dir must be a real folder (never a link), and the file
// itself may exist only when it is to be replaced.
static int32_t check_destination(const fs::path &dir, const std::string &name, int32_t force,
                                 std::string *error) {
    fs::path at = dir;
    size_t start = 0;
    while (start < name.size()) {
        size_t end = std::min(name.find('/', start), name.size());
        at /= name.substr(start, end - start);
        int32_t last = end == name.size();
        start = end + 1;
        std::error_code code;
        fs::file_status status = fs::symlink_status(at, code);
        if (status.type() == fs::file_type::not_found) return 1;
        if (code) {
            *error = "cannot open " + pack_quote(at.string()) + ": " + code.message();
            return 0;
        }
        if (fs::is_symlink(status)) {
            *error = pack_quote(at.string()) + " is a symbolic link; refusing to follow it";
            return 0;
        }
        if (last && !fs::is_regular_file(status)) {
            *error = pack_quote(at.string()) + " exists and is not a regular file";
            return 0;
        }
        if (last && !force) {
            *error = pack_quote(at.string()) + " exists; use --force to replace it";
            return 0;
        }
        if (!last && !fs::is_directory(status)) {
            *error =
                "cannot create folder " + pack_quote(at.string()) + ": " + system_reason(ENOTDIR);
            return 0;
        }
    }
    return 1;
}

// Creates the folders of dir/name one by one, each checked to be a folder and not a link.
static int32_t make_folders(const fs::path &dir, const std::string &name, std::string *error) {
    fs::path at = dir;
    for (size_t slash = name.find('/'), start = 0; slash != std::string::npos;
         start = slash + 1, slash = name.find('/', start)) {
        at /= name.substr(start, slash - start);
        std::error_code code;
        fs::create_directory(at, code);
        fs::file_status status = fs::symlink_status(at, code);
        if (code || !fs::is_directory(status)) {
            *error = "cannot create folder " + pack_quote(at.string()) + ": " +
                     (code ? code.message() : system_reason(ENOTDIR));
            return 0;
        }
    }
    return 1;
}

static int32_t command_extract(const Args &args, int32_t force) {
    if (args.size() != 3) return usage_error("extract needs an image and a directory");
    const std::string &source = args[1];
    pack_image image;
    if (load_image(source, &image)) return 1;
    std::string error;
    if (!pack_checkentries(image.entries, &error)) return fail(pack_quote(source) + ": " + error);
    // An empty name would put the entries in the working folder.
    if (args[2].empty()) return fail("cannot create '': " + system_reason(ENOENT));
    fs::path dir(args[2]);
    std::error_code code;
    fs::file_status status = fs::status(dir, code);
    if (fs::exists(status) && !fs::is_directory(status))
        return fail(pack_quote(args[2]) +
                    " exists and is not a directory: " + system_reason(ENOTDIR));
    for (const pack_entry &entry : image.entries)
        if (!check_destination(dir, entry.name, force, &error)) return fail(error);
    fs::create_directories(dir, code);
    if (code) return fail("cannot create " + pack_quote(args[2]) + ": " + code.message());
    FILE *in = std::fopen(source.c_str(), "rb");
    if (!in) return fail("cannot read " + pack_quote(source) + ": " + system_reason(errno));
    uint32_t mode = pack_newmode();
    for (const pack_entry &entry : image.entries) {
        std::string target = (dir / entry.name).string();
        auto fill = [&](FILE *out, std::string *message) {
            return pack_copy(in, source, entry.offset, entry.size, out, target, message);
        };
        if (!make_folders(dir, entry.name, &error) ||
            !write_whole(target, mode, force, fill, &error)) {
            std::fclose(in);
            return fail(error);
        }
    }
    std::fclose(in);
    return 0;
}

static int32_t run(int argc, char **argv) {
    if (argc < 2) return usage_error("no command given");
    // Help wins wherever it stands, as in "vornpack append --help".
    for (int32_t i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")) {
            std::printf("%s%s", USAGE, HELP);
            return 0;
        }
    }
    // The library's diagnostic lines would mix with listings; the tool says what went wrong.
    _dbg_enable(0);
    pack_initsignals();
    Args args;
    int32_t force = 0;
    for (int32_t i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "--force"))
            force = 1;
        else
            args.push_back(argv[i]);
    }
    if (args.empty()) return usage_error("no command given");
    const std::string &command = args[0];
    if (force && command != "extract") return usage_error("--force applies to extract only");
    if (command == "create") return command_create(args);
    if (command == "append") return command_append(args);
    if (command == "list") return command_list(args);
    if (command == "extract") return command_extract(args, force);
    return usage_error("unknown command " + pack_quote(command));
}

int main(int argc, char **argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc &) {
        return fail("out of memory");
    } catch (const std::exception &caught) {
        return fail(caught.what());
    }
}
