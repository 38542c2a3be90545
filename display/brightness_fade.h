#pragma once

#include "display/led_tables.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The brightness steps of a part of the device picture. Step s (1..15) moves
// every byte of step s - 1 towards the same byte of the lit image by the
// factor f = 1 / (16 - s): b x (1 - f) + o x f in double precision, truncated.
// Each step thus starts from the truncated bytes of the one before, and step
// 15 is the lit image.
//
// Pixels are four bytes: blue, green, red and a fourth byte that carries no
// colour. The steps made here get 0xFF there, as an opaque screen pixel has
// it; only the colour bytes are faded.

// Takes the steps of one area as they are made.
class FadeSteps
{
public:
    virtual ~FadeSteps() = default;
    // Where step s goes: the area's pixels, row after row with no gaps. The
    // fade reads them again to make step s + 1, so they must stay until then.
    virtual std::uint8_t *StepPixels(int step) = 0;
    // Step s is complete in pixels. changed holds, for each band of rows
    // the fader was given, whether a pixel of it differs from step s - 1.
    virtual void StepDone(int step, const std::uint8_t *pixels, const std::vector<bool> &changed) = 0;
};

// Fades areas of a device picture given as its off and lit image: two images
// of the same size, rows of stride bytes. It tells for bands of bandRows
// rows whether a step changed them.
class AreaFader
{
public:
    AreaFader(const std::uint8_t *off, const std::uint8_t *lit, std::size_t stride, int bandRows);

    // Makes steps 1..lastStep of area, which must lie inside the images.
    void Fade(const PictureRect &area, int lastStep, FadeSteps &steps);

private:
    // Packs the area's rows of both images and looks up their corrections.
    void Pack(const PictureRect &area);

    const std::uint8_t *m_off;
    const std::uint8_t *m_lit;
    std::size_t m_stride;
    int m_bandRows;
    std::vector<bool> m_changed;
    // The area's off and lit pixels, packed, and for each of their bytes the
    // step whose integer blend lies one above the double blend.
    std::vector<std::uint8_t> m_areaOff;
    std::vector<std::uint8_t> m_areaLit;
    std::vector<std::uint8_t> m_corrections;
};
