#include "display/gif_palette.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{

// The median cut sees at most this many sample pixels; more would only cost
// time, as it counts colours at 5 bits per channel.
constexpr std::size_t MAX_SAMPLE_PIXELS = std::size_t { 1 } << 21;
// The refinement sorts colours into cells of 6 bits per channel and works on
// each cell's mean, weighted by its pixels.
constexpr int CELL_BITS = 6;
constexpr std::size_t CELL_COUNT = std::size_t { 1 } << (3 * CELL_BITS);
constexpr int REFINEMENT_ROUNDS = 8;

std::uint8_t Channel(std::uint32_t pixel, int shift)
{
    return static_cast<std::uint8_t>((pixel >> shift) & 0xFF);
}

struct Cell {
    double red;
    double green;
    double blue;
    double weight;
};

double SquaredDistance(const Cell &cell, const GifColorType &colour)
{
    const double red = cell.red - colour.Red;
    const double green = cell.green - colour.Green;
    const double blue = cell.blue - colour.Blue;
    return red * red + green * green + blue * blue;
}

std::vector<Cell> ColourCells(const std::vector<AnimationPicture> &samples)
{
    std::vector<Cell> sums(CELL_COUNT, Cell { 0, 0, 0, 0 });
    for (const AnimationPicture &sample : samples) {
        const std::size_t count
            = static_cast<std::size_t>(sample.size) * static_cast<std::size_t>(sample.size);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t pixel = sample.pixels[i];
            const int shift = 8 - CELL_BITS;
            Cell &cell = sums[(std::size_t(Channel(pixel, 16) >> shift) << (2 * CELL_BITS))
                | (std::size_t(Channel(pixel, 8) >> shift) << CELL_BITS) | (Channel(pixel, 0) >> shift)];
            cell.red += Channel(pixel, 16);
            cell.green += Channel(pixel, 8);
            cell.blue += Channel(pixel, 0);
            cell.weight += 1;
        }
    }
    std::vector<Cell> cells;
    for (const Cell &sum : sums)
        if (sum.weight > 0)
            cells.push_back({ sum.red / sum.weight, sum.green / sum.weight, sum.blue / sum.weight,
                std::sqrt(sum.weight) });
    return cells;
}

bool MedianCut(const std::vector<AnimationPicture> &samples, GifPalette &palette)
{
    std::size_t total = 0;
    for (const AnimationPicture &sample : samples)
        total += static_cast<std::size_t>(sample.size) * static_cast<std::size_t>(sample.size);
    const std::size_t stride = std::max<std::size_t>(1, total / MAX_SAMPLE_PIXELS);
    std::vector<GifByteType> red, green, blue;
    for (const AnimationPicture &sample : samples) {
        const std::size_t count
            = static_cast<std::size_t>(sample.size) * static_cast<std::size_t>(sample.size);
        for (std::size_t i = 0; i < count; i += stride) {
            red.push_back(Channel(sample.pixels[i], 16));
            green.push_back(Channel(sample.pixels[i], 8));
            blue.push_back(Channel(sample.pixels[i], 0));
        }
    }
    if (red.empty())
        return false;
    std::vector<GifByteType> indices(red.size());
    int paletteSize = GIF_COLOUR_COUNT;
    return GifQuantizeBuffer(static_cast<unsigned>(red.size()), 1, &paletteSize, red.data(), green.data(),
               blue.data(), indices.data(), palette.data())
        == GIF_OK;
}

void Refine(const std::vector<Cell> &cells, GifPalette &palette)
{
    for (int round = 0; round < REFINEMENT_ROUNDS; ++round) {
        std::vector<Cell> sums(GIF_COLOUR_COUNT, Cell { 0, 0, 0, 0 });
        for (const Cell &cell : cells) {
            std::size_t nearest = 0;
            double best = std::numeric_limits<double>::max();
            for (std::size_t i = 0; i < GIF_COLOUR_COUNT; ++i) {
                const double distance = SquaredDistance(cell, palette[i]);
                if (distance < best) {
                    best = distance;
                    nearest = i;
                }
            }
            Cell &sum = sums[nearest];
            sum.red += cell.red * cell.weight;
            sum.green += cell.green * cell.weight;
            sum.blue += cell.blue * cell.weight;
            sum.weight += cell.weight;
        }
        // A colour no cell is nearest to stays where it is.
        for (std::size_t i = 0; i < GIF_COLOUR_COUNT; ++i) {
            if (sums[i].weight == 0)
                continue;
            palette[i].Red = static_cast<GifByteType>(sums[i].red / sums[i].weight + 0.5);
            palette[i].Green = static_cast<GifByteType>(sums[i].green / sums[i].weight + 0.5);
            palette[i].Blue = static_cast<GifByteType>(sums[i].blue / sums[i].weight + 0.5);
        }
    }
}

} // namespace

std::optional<GifPalette> ChooseGifPalette(const std::vector<AnimationPicture> &samples)
{
    GifPalette palette {};
    if (!MedianCut(samples, palette))
        return std::nullopt;
    Refine(ColourCells(samples), palette);
    return palette;
}
