// A fresh private folder for a test: mkdtemp where the C library has it.
#pragma once
#ifdef _WIN32
#include <cstring>
#include <direct.h>
#include <io.h>

inline char *mkdtemp(char *pattern) {
    if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0) return nullptr;
    return _mkdir(pattern) == 0 ? pattern : nullptr;
}
#else
#include <cstdlib>
#endif
