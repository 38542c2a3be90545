#pragma once

#include "display/picture_scaler.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The kinds of animation file, chosen by the file name's ending.
enum class AnimationFormat { Gif, Mp4, WebM };

// .gif, .mp4 or .webm, in any case; nullopt for any other name.
std::optional<AnimationFormat> AnimationFormatOf(const std::string &fileName);

// A square picture of 32-bit pixels 0xAARRGGBB, rows top first, `size`
// pixels each.
struct AnimationPicture {
    const std::uint32_t *pixels;
    int size;
};

// Writes an animation file from the pictures of its slots (animation_timing.h).
// The encoders live in a module of their own, loaded only when an animation
// is made (encoders_module_loader.h), since their libraries are large.
class AnimationEncoder
{
public:
    virtual ~AnimationEncoder() = default;

    // Opens the file (its name as the bytes the system gives, as OutputFile
    // takes it) for pictures of size x size pixels. colourSamples hold the
    // colours the pictures will show, for a file of few colours to choose
    // them from.
    virtual bool Begin(const std::string &path, int size, const std::vector<AnimationPicture> &colourSamples)
        = 0;
    // The picture in force from slot on, which differs from the one given
    // before only in the `changed` runs (the first picture: anywhere). Slots
    // grow from call to call.
    virtual bool Show(
        std::uint64_t slot, const AnimationPicture &picture, const std::vector<PixelRun> &changed)
        = 0;
    // Ends the animation before endSlot and completes the file; a file not
    // finished is not left behind.
    virtual bool Finish(std::uint64_t endSlot) = 0;
    // What went wrong, in one sentence.
    virtual std::string Error() const = 0;
};

// The encoders module's entry point: a new encoder for the format.
using CreateAnimationEncoderFunction = AnimationEncoder *(AnimationFormat format);

inline constexpr char ENCODERS_MODULE[] = "pemblo_encoders";
inline constexpr char CREATE_ANIMATION_ENCODER[] = "CreateAnimationEncoder";
