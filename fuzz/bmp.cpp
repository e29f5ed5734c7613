#include "image_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    return fuzz_quiet_stdout();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz_image(vrx_decode_bmp, data, size);
    return 0;
}
