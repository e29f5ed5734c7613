// The few file calls that differ between POSIX and Windows, so that a port replaces this file's
// branches and nothing else.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// Creates a new, empty file in the folder of `target` (a rename then never crosses file
// systems), never through an existing name or link; *temp gets its path. Null with errno set
// on failure. The file is removed if the process is interrupted before pack_forgettemp.
FILE *pack_createtemp(const std::string &target, std::string *temp);
void pack_forgettemp();
// Gives an open file the permission bits `mode` (ignored where there are none).
int32_t pack_setmode(FILE *fp, uint32_t mode);
// Permission bits of a new file: 0666 less the process's mask.
uint32_t pack_newmode();
// Flushes the stream and waits until the system has the bytes on disk; 0 with errno on failure.
int32_t pack_sync(FILE *fp);
// Puts the finished temp file in place of target: over an existing target when replace is set,
// otherwise failing with EEXIST when anything (a file, a link) already has that name.
int32_t pack_publish(const std::string &temp, const std::string &target, int32_t replace);
int32_t pack_seek(FILE *fp, uint64_t offset);
// Whether this process may write the existing file (a rename would replace it regardless).
int32_t pack_writable(const std::string &path);
// Writes that exceed a file-size limit fail with an error instead of ending the process.
void pack_initsignals();
