// WAV files: the canonical layout read and written, and headers that lie about their size or
// format rejected without reading past the file.
#include "sound_fixture.h"

#include "base/memory.h"
#include "vornfile/vornfile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include "support/temp_dir.h"

namespace {

typedef std::vector<uint8_t> Bytes;

Bytes wav(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t data_size,
          uint32_t actual_data) {
    Bytes b(44 + actual_data);
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; i++) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    std::memcpy(b.data(), "RIFF....WAVEfmt \x10\0\0\0", 20);
    put(4, 36 + data_size, 4);
    put(20, format, 2);
    put(22, channels, 2);
    put(24, rate, 4);
    put(34, bits, 2);
    std::memcpy(b.data() + 36, "data", 4);
    put(40, data_size, 4);
    for (uint32_t i = 0; i < actual_data; i++) b[44 + i] = static_cast<uint8_t>(i * 7);
    return b;
}

Bytes edit(Bytes b, size_t at, const char *text) {
    for (size_t i = 0; text[i]; i++) b.at(at + i) = static_cast<uint8_t>(text[i]);
    return b;
}

TEST(WavTest, HeadersAreCheckedAgainstTheFile) {
    Bytes good = wav(1, 2, 22050, 16, 400, 400);
    struct Case {
        const char *what;
        Bytes bytes;
        const char *message;
        int32_t result = 0;
        uint32_t length = 0;
    } cases[] = {
        {"16-bit stereo", wav(1, 2, 22050, 16, 88200, 88200), "", 1, 44100},
        {"8-bit mono", wav(1, 1, 11025, 8, 999, 999), "", 1, 999},
        {"no samples", wav(1, 1, 8000, 16, 0, 0), "", 1, 0},
        {"fourth fmt byte free", edit(good, 15, "x"), "", 1, 200},
        {"not RIFF", edit(good, 0, "RIFX"), "No WAV file"},
        {"empty", Bytes{}, "No WAV file"},
        {"RIFF only", Bytes(good.begin(), good.begin() + 12), ""},
        {"no fmt", edit(good, 12, "junk"), ""},
        {"float", wav(3, 2, 22050, 32, 400, 400), "Not PCM signed"},
        {"extra chunk", edit(good, 36, "LIST"), ""},
        {"header cut", Bytes(good.begin(), good.begin() + 43), "WAV header truncated\n"},
        {"data past end", wav(1, 2, 22050, 16, 401, 400), "WAV data larger than file\n"},
        {"huge data", wav(1, 2, 22050, 16, 0xFFFFFFF0u, 16), "WAV data larger than file\n"},
        {"4 bits", wav(1, 1, 22050, 4, 400, 400), "WAV format not supported\n"},
        {"rate 0", wav(1, 1, 0, 16, 400, 400), "WAV format not supported\n"},
    };
    for (const Case &c : cases) {
        VRX_Sound s = {};
        int32_t result = 0;
        std::string message = printed([&] {
            result =
                soundsystem_parsewav(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()), &s);
        });
        EXPECT_EQ(message, c.message) << c.what;
        EXPECT_EQ(result, c.result) << c.what;
        if (!result) {
            EXPECT_EQ(s.data, nullptr) << c.what;
            continue;
        }
        EXPECT_EQ(s.length, c.length) << c.what;
        EXPECT_EQ(s.size, c.bytes.size() - 44) << c.what;
        EXPECT_EQ(s.channels + s.bits * 65536, c.bytes[22] + c.bytes[34] * 65536) << c.what;
        EXPECT_EQ(std::memcmp(&s.frequency, c.bytes.data() + 24, 4), 0) << c.what;
        EXPECT_EQ(std::memcmp(s.data, c.bytes.data() + 44, s.size), 0) << c.what;
        _wrap_free(s.data);
    }
}

// Loading and saving through a mounted directory: a saved sound loads back the same, and
// names that cannot be loaded leave a sound without data.
TEST_F(SoundGroup, WavFilesThroughADirectoryMount) {
    char pattern[] = "/tmp/sound_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path dir = pattern;
    auto write = [&](const char *name, const Bytes &b) {
        std::ofstream(dir / name, std::ios::binary) << std::string(b.begin(), b.end());
    };
    write("tone.wav", wav(1, 2, 22050, 16, 88200, 88200));
    write("tone.txt", wav(1, 2, 22050, 16, 400, 400));
    write("float.wav", wav(3, 2, 22050, 32, 400, 400));
    write("empty.wav", Bytes{});
    mixer_only(44100, 16, 2);
    printed([&] { vornfile_mountimage(dir.string().c_str(), VORNFILE_MOUNT_DIRECTORY); });

    VRX_Sound first, second;
    EXPECT_EQ(printed([&] { Soundsystem_LoadSound("tone.WAV", &first); }),
              "Loading sound tone.WAV\n");
    EXPECT_EQ(first.step, 256u);
    EXPECT_EQ(first.volume + first.left + first.right, 255 + 256);
    EXPECT_EQ(Soundsystem_SaveSound("copy.wav", &first), 1);
    printed([&] { Soundsystem_LoadSound("copy.wav", &second); });
    EXPECT_EQ(soundsystem.numsounds, 2);
    EXPECT_EQ(std::filesystem::file_size(dir / "copy.wav"), 44u + 88200);
    ASSERT_NE(second.data, nullptr);
    auto fields = [](const VRX_Sound &s) {
        return std::vector<uint64_t>{s.channels, s.bits, s.size, s.length, s.frequency, s.step};
    };
    EXPECT_EQ(fields(first), fields(second));
    EXPECT_EQ(std::memcmp(first.data, second.data, first.size), 0);
    Soundsystem_DeleteSound(&first);
    Soundsystem_DeleteSound(&second);
    EXPECT_EQ(soundsystem.numsounds, 0);

    for (const char *name : {"tone.txt", "float.wav", "missing.wav", "empty.wav", "wav"}) {
        VRX_Sound s;
        std::memset(&s, 0xAB, sizeof s);
        printed([&] { Soundsystem_LoadSound(name, &s); });
        EXPECT_EQ(s.data, nullptr) << name;
        EXPECT_EQ(s.channels + s.step, 0u) << name;
        Soundsystem_DeleteSound(&s);
    }
    printed([] { vornfile_closeimage(); });
    std::filesystem::remove_all(dir);
}

} // namespace
