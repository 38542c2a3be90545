#include "upload/wav_file.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

PcmAudio Stereo16()
{
    // Left -32768 and 16384, right 0 and -1.
    return { 44100, 2, 16, { 0x00, 0x80, 0x00, 0x00, 0x00, 0x40, 0xFF, 0xFF } };
}

std::string Error(const std::vector<std::uint8_t> &file)
{
    try {
        ParseWav(file.data(), file.size());
    } catch (const WavError &error) {
        return error.what();
    }
    return "";
}

void Put16(std::vector<std::uint8_t> &file, std::size_t at, std::uint16_t value)
{
    file[at] = static_cast<std::uint8_t>(value);
    file[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

TEST(WavFile, RoundTripAndSamples)
{
    const std::vector<std::uint8_t> file = EncodeWav(Stereo16());
    ASSERT_EQ(file.size(), 44u + 8u);
    const PcmAudio read = ParseWav(file.data(), file.size());
    EXPECT_EQ(read.sampleRate, 44100);
    EXPECT_EQ(read.FrameCount(), 2u);
    EXPECT_EQ(read.bytes, Stereo16().bytes);
    const std::uint8_t left1[] = { 0x00, 0x40 }, right1[] = { 0xFF, 0xFF }, lowest[] = { 0x00, 0x80 };
    EXPECT_EQ(PcmSample(lowest, 16), -1.0f);
    EXPECT_EQ(PcmSample(left1, 16), 0.5f);
    EXPECT_EQ(PcmSample(right1, 16), -1.0f / 32768);

    const std::vector<std::uint8_t> odd = EncodeWav({ 48000, 1, 8, { 128, 255, 0 } });
    EXPECT_EQ(odd.size() % 2, 0u);
    EXPECT_EQ(ParseWav(odd.data(), odd.size()).bytes, (std::vector<std::uint8_t> { 128, 255, 0 }));
    EXPECT_EQ(PcmSample(&odd[45], 8), 127.0f / 128);
    EXPECT_EQ(PcmSample(&odd[46], 8), -1.0f);
}

TEST(WavFile, SkipsOtherChunksAndTakesACutDataChunkAsFarAsItGoes)
{
    std::vector<std::uint8_t> file = EncodeWav(Stereo16());
    const std::vector<std::uint8_t> list = { 'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0 };
    file.insert(file.begin() + 36, list.begin(), list.end());
    EXPECT_EQ(ParseWav(file.data(), file.size()).bytes, Stereo16().bytes);

    file.resize(file.size() - 3);
    Put16(file, 4 + 36 + 12, 0xFFFF);
    EXPECT_EQ(ParseWav(file.data(), file.size()).FrameCount(), 1u);
}

TEST(WavFile, RefusesWhatItCannotRead)
{
    const std::vector<std::uint8_t> good = EncodeWav(Stereo16());
    EXPECT_EQ(Error({ 'R', 'I', 'F', 'F' }), "This is not a WAV file.");
    EXPECT_EQ(Error({ good.begin(), good.begin() + 36 }), "The WAV file holds no audio data.");
    // Floats; 4000 Hz; a block size not of the format; an extensible format
    // in a 16-byte chunk, which has no sub-format.
    const std::pair<std::size_t, std::uint16_t> spoilt[]
        = { { 20, 3 }, { 24, 4000 }, { 32, 3 }, { 20, 0xFFFE } };
    std::vector<std::string> errors;
    for (const auto &[at, value] : spoilt) {
        std::vector<std::uint8_t> file = good;
        Put16(file, at, value);
        errors.push_back(Error(file));
    }
    EXPECT_EQ(errors[0], "Only PCM WAV files of 8 or 16 bits per sample can be read.");
    EXPECT_NE(errors[1].find("4000 Hz"), std::string::npos);
    EXPECT_NE(errors[2], "");
    EXPECT_NE(errors[3], "");
}

} // namespace
