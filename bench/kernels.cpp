// Span kernels over a 640x480 frame, row by row as the drawing code calls them, each timed
// against memcpy (memset for fills) of the same bytes in the same run. Ends with a ratio table and
// the targets missed.
#include "graphics/bitmap.h"
#include "graphics/vornblit.h"

#include "ratio_report.h"

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int32_t W = 640, H = 480, N = W * H;
constexpr int32_t PAD = W + 16; // room for the filters' reads around the frame

// Frames with a margin so that neighbourhood and stretch reads stay inside.
template <class T> struct Frame {
    std::vector<T> store = std::vector<T>(N + 2 * PAD);
    T *p = store.data() + PAD;
    T *row(int32_t y) { return p + static_cast<intptr_t>(y) * W; }
};

Frame<uint32_t> a32, b32, m32, d32;
Frame<uint16_t> a16, b16, m16, d16;
std::vector<uint32_t> tex32a(65536), tex32b(65536);
std::vector<uint16_t> tex16a(65536), tex16b(65536);

uint32_t rng = 12345;
uint32_t next() {
    rng = rng * 1664525u + 1013904223u;
    return rng;
}

void fill_inputs() {
    for (auto &v : a32.store) v = next();
    for (auto &v : b32.store) v = next();
    for (auto &v : m32.store) v = next();
    for (auto &v : a16.store) v = static_cast<uint16_t>(next() >> 16) & 0x7FFF;
    for (auto &v : b16.store) v = static_cast<uint16_t>(next() >> 16) & 0x7FFF;
    for (auto &v : m16.store) v = static_cast<uint16_t>(next() >> 16) & 0x7FFF;
    // Some transparent source pixels: a quarter key in each depth.
    for (int32_t i = 0; i < N; i += 4) {
        b32.p[i] &= 0x00FFFFFF;
        b16.p[i] = 0;
    }
    for (auto &v : tex32a) v = next();
    for (auto &v : tex32b) v = next();
    for (auto &v : tex16a) v = static_cast<uint16_t>(next() >> 17);
    for (auto &v : tex16b) v = static_cast<uint16_t>(next() >> 17);
}

enum Base { MEMCPY32, MEMSET32, MEMCPY16, MEMSET16 };
const char *const BASE_NAME[] = {"memcpy32", "memset32", "memcpy16", "memset16"};

struct Entry {
    Base base;
    double target; // 0: none set
};
std::map<std::string, Entry> entries;

void add(const std::string &name, std::function<void()> frame) {
    benchmark::RegisterBenchmark(name.c_str(), [frame](benchmark::State &st) {
        for (auto _ : st) {
            frame();
            benchmark::ClobberMemory();
        }
    })->Unit(benchmark::kMicrosecond);
}

void add_kernel(const std::string &name, Base base, double target, std::function<void()> frame) {
    entries[name] = {base, target};
    add(name, std::move(frame));
}

// Row loops for the common argument shapes.
template <class F> std::function<void()> rows32(F f) {
    return [f] {
        for (int32_t y = 0; y < H; ++y) f(d32.row(y), a32.row(y), b32.row(y), m32.row(y));
    };
}
template <class F> std::function<void()> rows16(F f) {
    return [f] {
        for (int32_t y = 0; y < H; ++y) f(d16.row(y), a16.row(y), b16.row(y), m16.row(y));
    };
}

void register_all() {
    add("memcpy32", [] {
        for (int32_t y = 0; y < H; ++y) std::memcpy(d32.row(y), a32.row(y), W * 4);
    });
    add("memset32", [] {
        for (int32_t y = 0; y < H; ++y) std::memset(d32.row(y), 0x5A, W * 4);
    });
    add("memcpy16", [] {
        for (int32_t y = 0; y < H; ++y) std::memcpy(d16.row(y), a16.row(y), W * 2);
    });
    add("memset16", [] {
        for (int32_t y = 0; y < H; ++y) std::memset(d16.row(y), 0x5A, W * 2);
    });

    using P32 = uint32_t *;
    using P16 = uint16_t *;
    const double COPY = 1.25, WORD = 2.0, CHAN = 4.0, NONE = 0.0;

#define K32(name, tgt, call)                                                                       \
    add_kernel(#name "32", MEMCPY32, tgt, rows32([](P32 d, P32 a, P32 b, P32 m) {                  \
                   (void)a, (void)b, (void)m;                                                      \
                   call;                                                                           \
               }))
#define K16(name, tgt, call)                                                                       \
    add_kernel(#name "16", MEMCPY16, tgt, rows16([](P16 d, P16 a, P16 b, P16 m) {                  \
                   (void)a, (void)b, (void)m;                                                      \
                   call;                                                                           \
               }))

    K32(Copy, COPY, VornBlit_BlitCopy32(d, a, W));
    K16(Copy, COPY, VornBlit_BlitCopy16(d, a, W));
    add_kernel("Fill32", MEMSET32, COPY, [] {
        for (int32_t y = 0; y < H; ++y) VornBlit_BlitFill32(d32.row(y), W, 0x5A5A5A5A);
    });
    add_kernel("Fill16", MEMSET16, COPY, [] {
        for (int32_t y = 0; y < H; ++y) VornBlit_BlitFill16(d16.row(y), W, 0x5A5A5A);
    });

    K32(Mix, WORD, VornBlit_BlitMix32(d, a, b, W));
    K16(Mix, WORD, VornBlit_BlitMix16(d, a, b, W));
    K32(QMix, WORD, VornBlit_BlitQMix32(d, a, b, W));
    K16(QMix, WORD, VornBlit_BlitQMix16(d, a, b, W));
    K32(Darken, WORD, VornBlit_BlitDarken32(d, a, W));
    K16(Darken, WORD, VornBlit_BlitDarken16(d, a, W));
    K32(Brighten, WORD, VornBlit_BlitBrighten32(d, a, W));
    K16(Brighten, WORD, VornBlit_BlitBrighten16(d, a, W));
    K32(Transp, WORD, VornBlit_BlitTransp32(d, b, W));
    K16(Transp, WORD, VornBlit_BlitTransp16(d, b, W));

    K32(Add, CHAN, VornBlit_BlitAdd32(d, a, b, W));
    K16(Add, CHAN, VornBlit_BlitAdd16(d, a, b, W));
    K32(Mul, CHAN, VornBlit_BlitMul32(d, a, b, W));
    K16(Mul, CHAN, VornBlit_BlitMul16(d, a, b, W));
    K32(Fade, CHAN, VornBlit_BlitFade32(d, a, 100, W));
    K16(Fade, CHAN, VornBlit_BlitFade16(d, a, 100, W));
    add_kernel("Fade16fast", MEMCPY16, CHAN,
               rows16([](P16 d, P16 a, P16, P16) { VornBlit_BlitFade16fast(d, a, 100, W); }));
    K32(FadeWhite, CHAN, VornBlit_BlitFadeWhite32(d, a, 100, W));
    K16(FadeWhite, CHAN, VornBlit_BlitFadeWhite16(d, a, 100, W));
    K32(Crossfade, CHAN, VornBlit_BlitCrossfade32(d, a, b, 100, W));
    K16(Crossfade, CHAN, VornBlit_BlitCrossfade16(d, a, b, 100, W));
    add_kernel("CrossfadeFast32", MEMCPY32, CHAN, rows32([](P32 d, P32 a, P32 b, P32) {
                   VornBlit_BlitCrossfadeFast32(d, a, b, 100, W);
               }));
    K32(Alphawipe, CHAN, VornBlit_BlitAlphawipe32(d, a, m, 100, W));
    K16(Alphawipe, CHAN, VornBlit_BlitAlphawipe16(d, a, m, 100, W));
    // A 320-pixel source row stretched to the full width.
    K32(Stretch, CHAN, VornBlit_BlitStretch32(d, a, W, 0, 0x8000));
    K16(Stretch, CHAN, VornBlit_BlitStretch16(d, a, W, 0, 0x8000));
    add_kernel("TranspStretch32", MEMCPY32, NONE, rows32([](P32 d, P32, P32 b, P32) {
                   VornBlit_BlitTranspStretch32(d, b, W, 0, 0x8000);
               }));
    K32(BiLinearStretch, NONE, VornBlit_BlitBiLinearStretch32(d, a, W, W, 0, 0x8000, 0x8000));
    K16(BiLinearStretch, NONE, VornBlit_BlitBiLinearStretch16(d, a, W, W, 0, 0x8000, 0x8000));

    K32(TranspMix, NONE, VornBlit_BlitTranspMix32(d, a, b, W));
    K16(TranspMix, NONE, VornBlit_BlitTranspMix16(d, a, b, W));
    K32(TranspQMix, NONE, VornBlit_BlitTranspQMix32(d, a, b, W));
    K16(TranspQMix, NONE, VornBlit_BlitTranspQMix16(d, a, b, W));
    K32(TranspQ3Mix, NONE, VornBlit_BlitTranspQ3Mix32(d, a, b, W));
    K16(TranspQ3Mix, NONE, VornBlit_BlitTranspQ3Mix16(d, a, b, W));
    K32(TranspAdd, NONE, VornBlit_BlitTranspAdd32(d, a, b, W));
    K16(TranspAdd, NONE, VornBlit_BlitTranspAdd16(d, a, b, W));
    K32(TranspMul, NONE, VornBlit_BlitTranspMul32(d, a, b, W));
    K16(TranspMul, NONE, VornBlit_BlitTranspMul16(d, a, b, W));

    K32(Blur, NONE, VornBlit_BlitBlur32(d, a, -W, W, W));
    K16(Blur, NONE, VornBlit_BlitBlur16(d, a, -W, W, W));
    K32(AntiAlias, NONE, VornBlit_BlitAntiAlias32(d, a, -W, W, W));
    K16(AntiAlias, NONE, VornBlit_BlitAntiAlias16(d, a, -W, W, W));

    add_kernel("FillShade32", MEMSET32, NONE, [] {
        for (int32_t y = 0; y < H; ++y) VornBlit_BlitFillShade32(d32.row(y), W, 0, 0x6000);
    });
    add_kernel("FillShade16", MEMSET16, NONE, [] {
        for (int32_t y = 0; y < H; ++y) VornBlit_BlitFillShade16(d16.row(y), W, 0, 0x6000);
    });
    add_kernel("FillTexture32", MEMSET32, NONE, [] {
        for (int32_t y = 0; y < H; ++y)
            VornBlit_BlitFillTexture32(d32.row(y), tex32a.data(), W, 0, y << 8, 0x66, 0x11);
    });
    add_kernel("FillTexture16", MEMSET16, NONE, [] {
        for (int32_t y = 0; y < H; ++y)
            VornBlit_BlitFillTexture16(d16.row(y), tex16a.data(), W, 0, y << 8, 0x66, 0x11);
    });
    add_kernel("FillShadeTexture32", MEMSET32, NONE, [] {
        for (int32_t y = 0; y < H; ++y)
            VornBlit_BlitFillShadeTexture32(d32.row(y), tex32a.data(), W, 0, y << 8, 0x100, 0x66,
                                            0x11, 1);
    });
    add_kernel("FillShadeTexture16", MEMSET16, NONE, [] {
        for (int32_t y = 0; y < H; ++y)
            VornBlit_BlitFillShadeTexture16(d16.row(y), tex16a.data(), W, 0, y << 8, 0x100, 0x66,
                                            0x11, 1);
    });
    add_kernel("FillDualTexture32", MEMSET32, NONE, [] {
        for (int32_t y = 0; y < H; ++y)
            VornBlit_BlitFillDualTexture32(d32.row(y), tex32a.data(), tex32b.data(), W, 0, y << 8,
                                           0x40, y << 7, 0x66, 0x11, 0x33, 0x22);
    });
    add_kernel("FillDualTexture16", MEMSET16, NONE, [] {
        for (int32_t y = 0; y < H; ++y)
            VornBlit_BlitFillDualTexture16(d16.row(y), tex16a.data(), tex16b.data(), W, 0, y << 8,
                                           0x40, y << 7, 0x66, 0x11, 0x33, 0x22);
    });

    // Blending into a picture, as callers do: the destination is the first source, so these
    // touch the same number of distinct bytes as the memcpy baseline (plus the second source).
    add_kernel("Mix32 dst=A", MEMCPY32, WORD,
               rows32([](P32 d, P32, P32 b, P32) { VornBlit_BlitMix32(d, d, b, W); }));
    add_kernel("QMix32 dst=A", MEMCPY32, WORD,
               rows32([](P32 d, P32, P32 b, P32) { VornBlit_BlitQMix32(d, d, b, W); }));
    add_kernel("Add32 dst=A", MEMCPY32, CHAN,
               rows32([](P32 d, P32, P32 b, P32) { VornBlit_BlitAdd32(d, d, b, W); }));
    add_kernel("Crossfade32 dst=A", MEMCPY32, CHAN,
               rows32([](P32 d, P32, P32 b, P32) { VornBlit_BlitCrossfade32(d, d, b, 100, W); }));
    add_kernel("Mul16 dst=A", MEMCPY16, CHAN,
               rows16([](P16 d, P16, P16 b, P16) { VornBlit_BlitMul16(d, d, b, W); }));
    add_kernel("Crossfade16 dst=A", MEMCPY16, CHAN,
               rows16([](P16 d, P16, P16 b, P16) { VornBlit_BlitCrossfade16(d, d, b, 100, W); }));
#undef K32
#undef K16
}

} // namespace

int main(int argc, char **argv) {
    VornBlit_Initialise(5, 5, 5, 10, 5, 0);
    fill_inputs();
    register_all();
    RatioReporter reporter("kernel / baseline", [](const std::string &name) -> std::vector<Ratio> {
        auto e = entries.find(name);
        if (e == entries.end()) return {};
        return {{BASE_NAME[e->second.base], e->second.target}};
    });
    return run_with_ratios(argc, argv, reporter);
}
