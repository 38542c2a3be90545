#pragma once

#include "display/led_tables.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

// A run of pixels on one line of a picture: [left, right) on line y.
struct PixelRun {
    int y;
    int left;
    int right;
};

// Scales a square picture of 32-bit pixels (0xAARRGGBB) down by averaging,
// for each target pixel, the source area it covers, weighted by how much of
// each source pixel lies in it. A part of the target can be redone alone and
// comes out exactly as scaling the whole picture would make it.
class PictureScaler
{
public:
    // From `sourceSize` pixels square down to `targetSize`, 1 .. sourceSize.
    PictureScaler(int sourceSize, int targetSize);

    // A source pixel and its share in a target pixel, along one axis.
    struct Tap {
        int source;
        std::uint32_t weight;
    };
    // Channel sums of weighted pixels, blue first.
    using Sums = std::array<std::uint32_t, 4>;

    int SourceSize() const { return m_sourceSize; }
    int TargetSize() const { return m_targetSize; }
    // The source pixels, along either axis, that target pixel t is made of.
    std::pair<const Tap *, const Tap *> Taps(int t) const;
    // Adds a source pixel with the weight to the sums.
    static void AddWeighted(Sums &sums, std::uint32_t pixel, std::uint32_t weight);
    // The target pixel of the weighted sums over all of its source pixels.
    std::uint32_t PixelFromSums(const Sums &sums) const;
    // The target pixels a change of the source rectangle touches.
    PictureRect TargetOf(const PictureRect &source) const;
    // Recomputes the target pixels of `area`, or of a run, from the source.
    void Scale(const std::uint32_t *source, std::uint32_t *target, const PictureRect &area) const;
    void Scale(const std::uint32_t *source, std::uint32_t *target, const PixelRun &run) const;

private:
    struct Span {
        std::size_t firstTap;
        std::size_t tapCount;
    };

    std::uint32_t ScalePixel(const std::uint32_t *source, const Span &row, const Span &column) const;

    int m_sourceSize;
    int m_targetSize;
    // Along either axis, for each target pixel, its source pixels and their
    // shares; the shares of a target pixel add up to sourceSize.
    std::vector<Tap> m_taps;
    std::vector<Span> m_spans;
};
