// The sound cues the install tree ships: plain PCM files the system player accepts, each short.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t Little32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

TEST(SoundCueTest, EachCueIsShortPcmWave) {
    std::vector<std::vector<unsigned char>> seen;
    for (const wchar_t* name : {L"record_start.wav", L"record_stop.wav", L"record_creating.wav"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        std::vector<unsigned char> wav = ReadFile(std::wstring(VORLIX_AUDIO_DIR) + name);
        ASSERT_GE(wav.size(), 44u) << "missing from the install tree";
        ASSERT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
        ASSERT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
        // Plain PCM with a consistent header, which every system player accepts.
        EXPECT_EQ(wav[20] | (wav[21] << 8), 1) << "PCM";
        const int channels = wav[22] | (wav[23] << 8);
        const std::uint32_t rate = Little32(&wav[24]);
        const std::uint32_t byteRate = Little32(&wav[28]);
        const int blockAlign = wav[32] | (wav[33] << 8);
        const int bits = wav[34] | (wav[35] << 8);
        EXPECT_TRUE(channels == 1 || channels == 2);
        EXPECT_EQ(bits, 16);
        EXPECT_EQ(blockAlign, channels * bits / 8);
        EXPECT_EQ(byteRate, rate * blockAlign);
        // Walk the chunks to the sample data.
        std::size_t at = 12;
        std::uint32_t dataBytes = 0;
        while (at + 8 <= wav.size()) {
            const std::uint32_t size = Little32(&wav[at + 4]);
            if (std::string(wav.begin() + at, wav.begin() + at + 4) == "data") {
                dataBytes = size;
                break;
            }
            at += 8 + size + (size & 1);
        }
        ASSERT_GT(dataBytes, 0u);
        ASSERT_GT(byteRate, 0u);
        const double seconds = double(dataBytes) / byteRate;
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 0.6) << "the recorder waits for the cue to end";
        for (const auto& other : seen) EXPECT_NE(other, wav) << "cues must be told apart";
        seen.push_back(wav);
    }
}

}  // namespace
