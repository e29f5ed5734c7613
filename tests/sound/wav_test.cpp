// WAV files: the canonical layout read and written, and every header that lies about its size
// or format rejected without reading past the file.
#include "sound_fixture.h"

#include "base/memory.h"
#include "vornfile/vornfile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include "support/temp_dir.h"

namespace {

typedef std::vector<uint8_t> Bytes;

void put(Bytes &b, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

Bytes wav(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t data_size,
          uint32_t actual_data) {
    Bytes b(44 + actual_data);
    std::memcpy(b.data(), "RIFF\0\0\0\0WAVEfmt \x10\0\0\0", 20);
    put(b, 4, 36 + data_size, 4);
    put(b, 20, format, 2);
    put(b, 22, channels, 2);
    put(b, 24, rate, 4);
    put(b, 34, bits, 2);
    std::memcpy(b.data() + 36, "data", 4);
    put(b, 40, data_size, 4);
    for (uint32_t i = 0; i < actual_data; i++) b[44 + i] = static_cast<uint8_t>(i * 7);
    return b;
}

struct Parsed {
    int32_t result;
    std::string message;
    VRX_Sound sound;
};

Parsed parse(const Bytes &bytes) {
    Parsed p{0, "", {}};
    p.message = printed([&] {
        p.result =
            soundsystem_parsewav(bytes.data(), static_cast<uint32_t>(bytes.size()), &p.sound);
    });
    return p;
}

TEST(WavTest, CanonicalFilesLoad) {
    struct Case {
        uint16_t channels, bits;
        uint32_t rate, size, length;
    } cases[] = {{2, 16, 22050, 88200, 44100}, {1, 8, 11025, 999, 999}, {1, 16, 8000, 0, 0}};
    for (const Case &c : cases) {
        Bytes bytes = wav(1, c.channels, c.rate, c.bits, c.size, c.size);
        Parsed p = parse(bytes);
        ASSERT_EQ(p.result, 1);
        EXPECT_EQ(p.message, "");
        EXPECT_EQ(p.sound.channels, c.channels);
        EXPECT_EQ(p.sound.bits, c.bits);
        EXPECT_EQ(p.sound.frequency, c.rate);
        EXPECT_EQ(p.sound.size, c.size);
        EXPECT_EQ(p.sound.length, c.length);
        ASSERT_NE(p.sound.data, nullptr);
        EXPECT_EQ(std::memcmp(p.sound.data, bytes.data() + 44, c.size), 0);
        _wrap_free(p.sound.data);
    }
}

TEST(WavTest, BadFilesAreRejectedWithoutData) {
    auto edit = [](Bytes b, size_t at, const char *text) {
        for (size_t i = 0; text[i]; i++) b.at(at + i) = static_cast<uint8_t>(text[i]);
        return b;
    };
    Bytes good = wav(1, 2, 22050, 16, 400, 400);
    struct Case {
        const char *what;
        Bytes bytes;
        const char *message;
    } cases[] = {
        {"not RIFF", edit(good, 0, "RIFX"), "No WAV file"},
        {"not WAVE", edit(good, 8, "AVI "), "No WAV file"},
        {"empty", Bytes{}, "No WAV file"},
        {"RIFF only", Bytes(good.begin(), good.begin() + 12), ""},
        {"no fmt", edit(good, 12, "junk"), ""},
        {"fourth fmt byte free", edit(good, 15, "x"), ""},
        {"float", wav(3, 2, 22050, 32, 400, 400), "Not PCM signed"},
        {"extra chunk", edit(good, 36, "LIST"), ""},
        {"header cut", Bytes(good.begin(), good.begin() + 43), "WAV header truncated\n"},
        {"data past end", wav(1, 2, 22050, 16, 401, 400), "WAV data larger than file\n"},
        {"huge data", wav(1, 2, 22050, 16, 0xFFFFFFF0u, 16), "WAV data larger than file\n"},
        {"4 bits", wav(1, 1, 22050, 4, 400, 400), "WAV format not supported\n"},
        {"no channels", wav(1, 0, 22050, 16, 400, 400), "WAV format not supported\n"},
        {"rate 0", wav(1, 1, 0, 16, 400, 400), "WAV format not supported\n"},
    };
    for (const Case &c : cases) {
        Parsed p = parse(c.bytes);
        bool accepted = std::string(c.what) == "fourth fmt byte free";
        EXPECT_EQ(p.result, accepted ? 1 : 0) << c.what;
        EXPECT_EQ(p.message, c.message) << c.what;
        if (accepted) {
            _wrap_free(p.sound.data);
            continue;
        }
        EXPECT_EQ(p.sound.data, nullptr) << c.what;
        EXPECT_EQ(p.sound.size, 0u) << c.what;
    }
}

// Loading and saving go through the mounted directory; a saved sound loads back the same.
class WavFileTest : public SoundGroup {
  protected:
    void SetUp() override {
        SoundGroup::SetUp();
        char pattern[] = "/tmp/sound_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        mixer_only(44100, 16, 2);
        printed([&] { vornfile_mountimage(dir.string().c_str(), VORNFILE_MOUNT_DIRECTORY); });
    }
    void TearDown() override {
        printed([] { vornfile_closeimage(); });
        std::filesystem::remove_all(dir);
        SoundGroup::TearDown();
    }
    void write(const char *name, const Bytes &bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::path dir;
};

TEST_F(WavFileTest, SaveThenLoadGivesTheSameSound) {
    write("tone.wav", wav(1, 2, 22050, 16, 88200, 88200));
    VRX_Sound first, second;
    std::string out = printed([&] { Soundsystem_LoadSound("tone.WAV", &first); });
    EXPECT_EQ(out, "Loading sound tone.WAV\n");
    EXPECT_EQ(first.step, 256u);
    EXPECT_EQ(first.volume, 255);
    EXPECT_EQ(first.left, 128);
    EXPECT_EQ(soundsystem.numsounds, 1);
    EXPECT_EQ(Soundsystem_SaveSound("copy.wav", &first), 1);
    printed([&] { Soundsystem_LoadSound("copy.wav", &second); });
    EXPECT_EQ(std::filesystem::file_size(dir / "copy.wav"), 44u + 88200);
    ASSERT_NE(second.data, nullptr);
    EXPECT_EQ(second.size, first.size);
    EXPECT_EQ(second.length, first.length);
    EXPECT_EQ(second.channels, first.channels);
    EXPECT_EQ(second.frequency, first.frequency);
    EXPECT_EQ(std::memcmp(first.data, second.data, first.size), 0);
    Soundsystem_DeleteSound(&first);
    Soundsystem_DeleteSound(&second);
    EXPECT_EQ(soundsystem.numsounds, 0);
}

TEST_F(WavFileTest, UnloadableNamesLeaveAnEmptySound) {
    write("tone.txt", wav(1, 2, 22050, 16, 400, 400));
    write("float.wav", wav(3, 2, 22050, 32, 400, 400));
    write("empty.wav", Bytes{});
    for (const char *name : {"tone.txt", "float.wav", "missing.wav", "empty.wav", "wav"}) {
        VRX_Sound s;
        std::memset(&s, 0xAB, sizeof s);
        printed([&] { Soundsystem_LoadSound(name, &s); });
        EXPECT_EQ(s.data, nullptr) << name;
        EXPECT_EQ(s.channels, 0) << name;
        EXPECT_EQ(s.step, 0u) << name;
        EXPECT_EQ(s.volume, 255) << name;
        Soundsystem_DeleteSound(&s);
    }
}

} // namespace
