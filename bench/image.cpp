// Image decoding against memcpy of the decoded bytes, in one run: the device picture as a
// 24-bit TGA, the same picture run-length encoded, the font strip as an 8-bit colour-mapped TGA
// and the picture as a 24-bit BMP, each decoded into a new 32-bit bitmap.
#include <benchmark/benchmark.h>

#include "baselines.h"
#include "ratio_report.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "base/memory.h"
#include "image/image_internal.h"
#include "graphics/video_state.h"

namespace {

using Bytes = std::vector<uint8_t>;

void put16(Bytes &b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(Bytes &b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// A picture like the device's: flat panels with shaded and noisy areas, as B, G, R bytes.
Bytes picture_bgr(int32_t w, int32_t h) {
    Bytes p;
    uint32_t seed = 1;
    for (int32_t y = 0; y < h; y++)
        for (int32_t x = 0; x < w; x++) {
            bool flat = (x / 80 + y / 60) % 2 == 0;
            seed = seed * 1664525u + 1013904223u;
            uint8_t v = flat ? uint8_t(40 + y / 60 * 20) : uint8_t(seed >> 24);
            p.insert(p.end(), {v, uint8_t(v / 2 + x), uint8_t(255 - v)});
        }
    return p;
}

Bytes tga_header(uint8_t type, uint8_t bpp, int32_t w, int32_t h, uint16_t map_count) {
    Bytes b{0, uint8_t(map_count ? 1 : 0), type};
    put16(b, 0);
    put16(b, map_count);
    b.push_back(map_count ? 24 : 0);
    put32(b, 0);
    put16(b, uint32_t(w));
    put16(b, uint32_t(h));
    b.push_back(bpp);
    b.push_back(0);
    return b;
}

// Repeat packets for runs of equal pixels, raw packets for the rest, across row ends.
Bytes rle24(const Bytes &bgr) {
    Bytes out;
    const size_t n = bgr.size() / 3;
    auto same = [&](size_t a, size_t b) { return std::memcmp(&bgr[a * 3], &bgr[b * 3], 3) == 0; };
    for (size_t i = 0; i < n;) {
        size_t run = 1;
        while (i + run < n && run < 128 && same(i, i + run)) run++;
        if (run > 1) {
            out.push_back(uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), &bgr[i * 3], &bgr[i * 3] + 3);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < n && raw < 128 && !(i + raw + 1 < n && same(i + raw, i + raw + 1))) raw++;
        out.push_back(uint8_t(raw - 1));
        out.insert(out.end(), &bgr[i * 3], &bgr[(i + raw) * 3]);
        i += raw;
    }
    return out;
}

Bytes with_rows(Bytes head, const Bytes &body) {
    head.insert(head.end(), body.begin(), body.end());
    return head;
}

Bytes bmp24(int32_t w, int32_t h, const Bytes &bgr) {
    const uint32_t stride = (uint32_t(w) * 3 + 3) & ~3u;
    Bytes b{'B', 'M'};
    put32(b, 54 + stride * uint32_t(h));
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, uint32_t(w));
    put32(b, uint32_t(h));
    put16(b, 1);
    put16(b, 24);
    for (int i = 0; i < 6; i++) put32(b, 0);
    for (int32_t y = 0; y < h; y++) {
        const uint8_t *row = &bgr[size_t(y) * w * 3];
        b.insert(b.end(), row, row + w * 3);
        b.resize(b.size() + (stride - uint32_t(w) * 3), 0);
    }
    return b;
}

struct Files {
    Bytes tga, tga_rle, strip, bmp;
    Files() {
        Bytes pic = picture_bgr(640, 480);
        tga = with_rows(tga_header(2, 24, 640, 480, 0), pic);
        tga_rle = with_rows(tga_header(10, 24, 640, 480, 0), rle24(pic));
        Bytes strip_body;
        for (int i = 0; i < 256 * 3; i++) strip_body.push_back(uint8_t(i * 7));
        for (int i = 0; i < 618 * 20; i++) strip_body.push_back(uint8_t(i % 97 < 60 ? 0 : i));
        strip = with_rows(tga_header(1, 8, 618, 20, 256), strip_body);
        bmp = bmp24(640, 480, pic);
    }
};
const Files &files() {
    static const Files f;
    return f;
}

void BM_Memcpy(benchmark::State &state) {
    copy_baseline_wh(state);
}
BENCHMARK(BM_Memcpy)->Args({640, 480})->Args({618, 20});

// Standard output to nowhere while a decoder that speaks runs; the table prints afterwards.
struct Quiet {
    int saved;
    Quiet() : saved((std::fflush(stdout), dup(1))) {
#ifdef _WIN32
        int null = open("NUL", O_WRONLY);
#else
        int null = open("/dev/null", O_WRONLY);
#endif
        dup2(null, 1);
        close(null);
    }
    ~Quiet() {
        std::fflush(stdout);
        dup2(saved, 1);
        close(saved);
    }
};

template <int32_t (*Decode)(const uint8_t *, uint32_t, VRX_Bitmap *)>
void decode(benchmark::State &state, const Bytes &file) {
    set_depth32();
    Quiet quiet;
    for (auto _ : state) {
        VRX_Bitmap bm{};
        if (!Decode(file.data(), uint32_t(file.size()), &bm)) state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(bm.data);
        benchmark::ClobberMemory();
        _wrap_free_dbg(bm.data, "bench/image", __LINE__); // without the deletion's line
    }
}
void BM_Tga24(benchmark::State &s) {
    decode<vrx_decode_tga>(s, files().tga);
}
void BM_Tga24Rle(benchmark::State &s) {
    decode<vrx_decode_tga>(s, files().tga_rle);
}
void BM_TgaMappedStrip(benchmark::State &s) {
    decode<vrx_decode_tga>(s, files().strip);
}
void BM_Bmp24(benchmark::State &s) {
    decode<vrx_decode_bmp>(s, files().bmp);
}
BENCHMARK(BM_Tga24);
BENCHMARK(BM_Tga24Rle);
BENCHMARK(BM_TgaMappedStrip);
BENCHMARK(BM_Bmp24);

} // namespace

int main(int argc, char **argv) {
    RatioReporter reporter("ratio to memcpy of the decoded bytes",
                           [](const std::string &name) -> std::vector<Ratio> {
                               if (name.rfind("BM_Memcpy", 0) == 0) return {};
                               if (name == "BM_TgaMappedStrip") return {{"BM_Memcpy/618/20"}};
                               return {{"BM_Memcpy/640/480"}};
                           });
    return run_with_ratios(argc, argv, reporter);
}
