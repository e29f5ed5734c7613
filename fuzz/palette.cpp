#include "image_fuzz.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    return fuzz_quiet_stdout();
}

// The destination is exactly 768 bytes; a failed read must leave it untouched.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    auto *palette = static_cast<uint8_t *>(std::malloc(768));
    std::memset(palette, 0x5A, 768);
    int32_t ok = vrx_decode_pal(data, static_cast<uint32_t>(size), palette);
    if (ok ? std::memcmp(palette, data, 768) != 0 : palette[0] != 0x5A || palette[767] != 0x5A)
        std::abort();
    std::free(palette);
    return 0;
}
