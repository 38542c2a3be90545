#include "core/constants.h"
#include "display/brightness_fade.h"
#include "display/device_picture.h"
#include "display/led_tables.h"
#include "display/pixel_buffer.h"
#include "tests/display/image_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{

constexpr int SIZE = DEVICE_PICTURE_SIZE;
constexpr int STEPS = BRIGHTNESS_STEPS - 1;

// Keeps every step in a buffer of its own.
class KeptSteps : public FadeSteps
{
public:
    explicit KeptSteps(std::size_t bytes)
        : steps(BRIGHTNESS_STEPS, std::vector<std::uint8_t>(bytes))
    {
    }
    std::uint8_t *StepPixels(int step) override { return steps[static_cast<std::size_t>(step)].data(); }
    void StepDone(int, const std::uint8_t *, const std::vector<bool> &) override { }

    std::vector<std::vector<std::uint8_t>> steps;
};

// Pixels whose bytes are spread over all values.
std::uint32_t Scrambled(int x, int y)
{
    return static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u) * 2246822519u;
}

// Row y of piece p as it shows at step: from its column's strip, or from the
// background.
const std::uint8_t *PieceRow(const DeviceFrames &frames, std::size_t p, int step, int y)
{
    const FramePiece &piece = FramePieces()[p];
    const std::size_t bytes = frames.BytesPerPixel();
    const int row = step == 0 ? -1 : frames.PieceRow(p, step);
    if (row < 0)
        return frames.Background()
            + bytes * static_cast<std::size_t>((piece.rect.top + y) * SIZE + piece.rect.left);
    return frames.Strip(piece.column) + bytes * static_cast<std::size_t>(piece.rect.Width() * (row + y));
}

TEST(BrightnessFade, EveryBytePairTakesTheRepeatedTruncatingDoubleBlendAtEveryStep)
{
    // Colour byte i of the images holds pair i: off byte i / 256, lit byte
    // i % 256. The fourth bytes are not faded.
    constexpr int PAIRS = 256 * 256, WIDTH = 256, HEIGHT = (PAIRS + 3 * WIDTH - 1) / (3 * WIDTH);
    std::vector<std::uint8_t> off(4 * WIDTH * HEIGHT), lit(off.size());
    for (int pair = 0; pair < PAIRS; ++pair) {
        const int at = 4 * (pair / 3) + pair % 3;
        off[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(pair >> 8);
        lit[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(pair);
    }
    KeptSteps steps(off.size());
    AreaFader(off.data(), lit.data(), 4 * WIDTH, HEIGHT).Fade({ 0, 0, WIDTH, HEIGHT }, STEPS, steps);

    for (int pair = 0; pair < PAIRS; ++pair) {
        const int at = 4 * (pair / 3) + pair % 3;
        int byte = pair >> 8;
        for (int step = 1; step <= STEPS; ++step) {
            const double factor = 1.0 / (BRIGHTNESS_STEPS - step);
            byte = static_cast<int>(byte * (1.0 - factor) + (pair & 0xFF) * factor);
            ASSERT_EQ(steps.steps[static_cast<std::size_t>(step)][static_cast<std::size_t>(at)], byte)
                << "off " << (pair >> 8) << ", lit " << (pair & 0xFF) << ", step " << step;
        }
        ASSERT_EQ(steps.steps[STEPS][static_cast<std::size_t>(4 * (pair / 3) + 3)], 0xFF);
    }
}

// Against the pixel buffer's own blend of the whole image, step by step; the
// 16-bit frames are the 32-bit ones encoded.
TEST(DeviceFrames, AreasHoldTheirPartOfTheFramesThePixelBufferMakesAtEitherDepth)
{
    auto bytes
        = ImageBytes(SIZE, SIZE, { Scrambled, [](int x, int y) { return Scrambled(y, x) | 0x00F00000u; } });
    DeviceFrames frames, narrow;
    ASSERT_TRUE(frames.MakeBackground(bytes.data(), bytes.size(), 32, 0));
    ASSERT_TRUE(narrow.MakeBackground(bytes.data(), bytes.size(), 16, 0xA55505));
    frames.MakeSteps();
    narrow.MakeSteps();
    PixelBuffer off, lit;
    const std::uint8_t *cursor = bytes.data();
    ASSERT_TRUE(off.ReadImage(cursor, bytes.data() + bytes.size()));
    ASSERT_TRUE(lit.ReadImage(cursor, bytes.data() + bytes.size()));

    const auto pixelAt = [](const std::uint8_t *p) {
        std::uint32_t pixel;
        std::memcpy(&pixel, p, sizeof pixel);
        return pixel;
    };
    for (int y = 0; y < SIZE; y += 7)
        for (int x = 0; x < SIZE; x += 5)
            ASSERT_EQ(pixelAt(frames.Background() + 4 * (y * SIZE + x)), off.Pixel(x, y) | 0xFF000000u);
    std::vector<std::uint8_t> encoded(2 * SIZE);
    EncodePixels16(frames.Background(), SIZE, 0xA55505, encoded.data());
    EXPECT_EQ(std::memcmp(encoded.data(), narrow.Background(), 2 * SIZE), 0);
    const std::vector<FramePiece> &pieces = FramePieces();
    for (int step = 1; step <= STEPS; ++step) {
        off.BlendToward(lit, 1.0 / (BRIGHTNESS_STEPS - step));
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            const PictureRect &rect = pieces[p].rect;
            for (int y = 0; y < rect.Height(); ++y) {
                for (int x = 0; x < rect.Width(); ++x)
                    ASSERT_EQ(pixelAt(PieceRow(frames, p, step, y) + 4 * x),
                        off.Pixel(static_cast<std::uint32_t>(rect.left + x),
                            static_cast<std::uint32_t>(rect.top + y))
                            | 0xFF000000u)
                        << "piece " << p << " step " << step;
                EncodePixels16(PieceRow(frames, p, step, y), rect.Width(), 0xA55505, encoded.data());
                ASSERT_EQ(std::memcmp(encoded.data(), PieceRow(narrow, p, step, y), 2 * rect.Width()), 0)
                    << "16-bit piece " << p << " step " << step;
            }
        }
    }
}

TEST(DeviceFrames, ComposingAPictureShowsEachLedAtItsStepOverTheOnesBefore)
{
    auto bytes = ImageBytes(SIZE, SIZE, { Scrambled, [](int x, int y) { return ~Scrambled(x, y); } });
    DeviceFrames frames;
    ASSERT_TRUE(frames.MakeBackground(bytes.data(), bytes.size(), 32, 0));
    frames.MakeSteps();
    const LedLevels levels = { 127, 0, 64, 8, 100, 15, 127, 33, 0, 90 };
    std::vector<std::uint8_t> expected(frames.Background(), frames.Background() + 4 * SIZE * SIZE);
    for (int led = 0; led < LED_COUNT; ++led) {
        const int step = BrightnessStep(levels[static_cast<std::size_t>(led)]);
        for (std::size_t p = 0; p < FramePieces().size(); ++p) {
            const PictureRect &rect = FramePieces()[p].rect;
            if (FramePieces()[p].position != LED_ORDER[static_cast<std::size_t>(led)])
                continue;
            for (int y = 0; y < rect.Height(); ++y)
                std::memcpy(expected.data() + 4 * static_cast<std::size_t>((rect.top + y) * SIZE + rect.left),
                    PieceRow(frames, p, step, y), 4 * static_cast<std::size_t>(rect.Width()));
        }
    }
    std::vector<std::uint8_t> composed(expected.size());
    ASSERT_TRUE(ComposeDevicePicture(bytes.data(), bytes.size(), levels, composed.data()));
    EXPECT_EQ(composed, expected);
}

TEST(DeviceFrames, BadDataMakesNothing)
{
    auto whole = ImageBytes(SIZE, SIZE, { Scrambled, Scrambled });
    const auto wrongSize = ImageBytes(SIZE - 1, SIZE, { Scrambled, Scrambled });
    std::vector<std::uint8_t> out(4);
    for (std::vector<std::uint8_t> bytes : { wrongSize, std::vector(whole.begin(), whole.end() - 1) }) {
        DeviceFrames frames;
        EXPECT_FALSE(frames.MakeBackground(bytes.data(), bytes.size(), 32, 0));
        frames.MakeSteps();
        EXPECT_FALSE(frames.HasSteps());
        EXPECT_FALSE(ComposeDevicePicture(bytes.data(), bytes.size(), {}, out.data()));
    }
    DeviceFrames frames;
    EXPECT_FALSE(frames.MakeBackground(whole.data(), whole.size(), 24, 0));
}

} // namespace
