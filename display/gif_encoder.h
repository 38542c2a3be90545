#pragma once

#include "display/animation_encoder.h"
#include "display/animation_timing.h"
#include "display/gif_palette.h"

#include <gif_lib.h>

#include <memory>

class OutputFile;

// Writes an animated GIF through giflib: one global palette chosen from the
// colour samples, a frame only where the picture changed, holding just the
// rectangle that changed with the pixels that stayed left transparent, and
// delays as GifFrameTiming gives them. It loops for ever.
class GifEncoder final : public AnimationEncoder
{
public:
    GifEncoder();
    ~GifEncoder() override;

    bool Begin(
        const std::string &path, int size, const std::vector<AnimationPicture> &colourSamples) override;
    bool Show(
        std::uint64_t slot, const AnimationPicture &picture, const std::vector<PixelRun> &changed) override;
    bool Finish(std::uint64_t endSlot) override;
    std::string Error() const override { return m_error; }

private:
    // A frame whose picture is known and whose delay is not yet.
    struct HeldFrame {
        PictureRect area;
        std::vector<GifByteType> indices;
    };

    static int WriteBytes(GifFileType *gif, const GifByteType *bytes, int length);

    // Keeps what went wrong; a failed write of the file says why itself.
    bool Fail(const std::string &what);
    bool WriteHeader();
    GifByteType PaletteIndex(std::uint32_t pixel);
    GifByteType LookUp(std::uint32_t pixel);
    void TakePixel(std::size_t index, std::uint32_t pixel);
    void TakePicture(const AnimationPicture &picture, const std::vector<PixelRun> &changed);
    // Starts a frame at slot with what the picture shows now, writing the
    // frame before it.
    bool StartFrame(std::uint64_t slot);
    // Where the picture now differs from what the frames show.
    PictureRect ChangedArea() const;
    bool WriteFrame(const HeldFrame &frame, int delay);

    std::string m_error;
    std::unique_ptr<OutputFile> m_file;
    GifFileType *m_gif = nullptr;
    int m_size = 0;
    GifPalette m_palette {};
    // The palette index of each colour met so far, at 7 bits per channel;
    // GIF_UNCHANGED_INDEX for colours not yet looked up.
    std::vector<GifByteType> m_lookup;
    // The colour looked up last: neighbouring pixels are often alike.
    std::uint32_t m_lastColour = 0;
    GifByteType m_lastIndex = 0;

    GifFrameTiming m_timing;
    // The picture as given, and in palette indices; and as the frames
    // written and held show it.
    std::vector<std::uint32_t> m_picture;
    std::vector<GifByteType> m_current;
    std::vector<GifByteType> m_shown;
    // Where the picture changed since the last frame started.
    PictureRect m_pending {};
    // A change that came too soon after the last frame's start.
    bool m_waiting = false;
    // The frame held, once there is one, and room for the next.
    bool m_holding = false;
    HeldFrame m_held;
    HeldFrame m_next;
};
