// Feeds the input to one image decoder in both pixel depths; the decoders must stay inside the
// input and return a bitmap with data exactly when they report success.
#pragma once
#include "base/memory.h"
#include "graphics/bitmap.h"
#include "image/image_internal.h"
#include "graphics/video_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

inline int fuzz_quiet_stdout() {
    // The decoders speak on every call; keep the fuzzer's own output readable.
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    return 0;
}

inline void fuzz_image(int32_t (*decode)(const uint8_t *, uint32_t, VRX_Bitmap *),
                       const uint8_t *data, size_t size) {
    for (bool mode16 : {false, true}) {
        VRX_video.flags = mode16 ? uint32_t(VRX_VIDEO_16BIT) : 0u;
        mode16 ? VornBlit_Initialise(5, 5, 5, 10, 5, 0) : VornBlit_Initialise(8, 8, 8, 16, 8, 0);
        VRX_Bitmap bitmap = {};
        int32_t ok = decode(data, static_cast<uint32_t>(size), &bitmap);
        if (ok != (bitmap.data != nullptr)) std::abort();
        if (bitmap.data) VRX_DeleteBitmap(&bitmap);
    }
}
