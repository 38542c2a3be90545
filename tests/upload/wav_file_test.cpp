#include "upload/wav_file.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

PcmAudio Stereo16()
{
    PcmAudio audio;
    audio.sampleRate = 44100;
    audio.channels = 2;
    audio.bitsPerSample = 16;
    // Left -32768 and 16384, right 0 and -1.
    audio.bytes = { 0x00, 0x80, 0x00, 0x00, 0x00, 0x40, 0xFF, 0xFF };
    return audio;
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
    EXPECT_EQ(read.channels, 2);
    EXPECT_EQ(read.FrameCount(), 2u);
    EXPECT_EQ(ChannelSamples(read, 0), (std::vector<float> { -1.0f, 0.5f }));
    EXPECT_EQ(ChannelSamples(read, 1), (std::vector<float> { 0.0f, -1.0f / 32768 }));
    EXPECT_EQ(StrongestChannel(read), 0);

    PcmAudio mono8;
    mono8.sampleRate = 48000;
    mono8.channels = 1;
    mono8.bitsPerSample = 8;
    mono8.bytes = { 128, 255, 0 };
    const std::vector<std::uint8_t> odd = EncodeWav(mono8);
    EXPECT_EQ(odd.size() % 2, 0u);
    EXPECT_EQ(ChannelSamples(ParseWav(odd.data(), odd.size()), 0),
        (std::vector<float> { 0.0f, 127.0f / 128, -1.0f }));
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

    std::vector<std::uint8_t> floats = good;
    Put16(floats, 20, 3);
    EXPECT_EQ(Error(floats), "Only PCM WAV files of 8 or 16 bits per sample can be read.");

    std::vector<std::uint8_t> slow = good;
    Put16(slow, 24, 4000);
    EXPECT_NE(Error(slow).find("4000 Hz"), std::string::npos);

    std::vector<std::uint8_t> misaligned = good;
    Put16(misaligned, 32, 3);
    EXPECT_NE(Error(misaligned), "");

    std::vector<std::uint8_t> noData(good.begin(), good.begin() + 36);
    EXPECT_EQ(Error(noData), "The WAV file holds no audio data.");

    std::vector<std::uint8_t> extensible = good;
    Put16(extensible, 20, 0xFFFE);
    EXPECT_NE(Error(extensible), "") << "a 16-byte format chunk has no sub-format";
}

} // namespace
