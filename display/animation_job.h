#pragma once

#include "display/animation_export.h"
#include "display/device_bitmaps.h"

#include <memory>
#include <optional>
#include <string>

// Why an animation file of a name and size is refused before anything is
// drawn.
enum class AnimationRefusal { UnknownEnding, OddVideoSize };

// The name's ending gives the format (animation_encoder.h); a video takes an
// even size only. nullopt when the file can be made.
std::optional<AnimationRefusal> AnimationRefusalFor(const std::string &fileName, int size);

// Builds the device's bitmaps, 32 bits a pixel whatever the screen, from the
// bundle called name (found as FindBundleFile finds it); an empty string, or
// what went wrong in one sentence.
std::string BuildBitmapsFromBundle(DeviceBitmaps &bitmaps, const std::string &name);

// One animation being made, for Export animation… and pemblo-cli animate:
// the device's bitmaps, the encoder from its module and the export of the
// sequence into the file. Needs a QGuiApplication, as the bitmaps do.
class AnimationJob
{
public:
    // Starts the animation of rows into the file at path (as the bytes the
    // system gives), whose name was accepted by AnimationRefusalFor; the
    // format comes from its ending. False, with Error(), when the bundle, the
    // encoder or the file fails.
    bool Start(const RowTable &rows, const std::string &deviceBundle, const std::string &path,
        AnimationExport::Settings settings);
    // Runs up to `ticks` more ticks; false once the animation is complete or
    // failed, or never started.
    bool Advance(std::uint64_t ticks) { return m_export && m_export->Advance(ticks); }
    // Completes the file; false, with Error(), when that fails.
    bool Finish();

    std::uint64_t DoneTicks() const { return m_export ? m_export->DoneTicks() : 0; }
    std::uint64_t TotalTicks() const { return m_export ? m_export->TotalTicks() : 0; }
    std::string Error() const { return m_error; }

private:
    bool Fail(const std::string &error);

    DeviceBitmaps m_bitmaps;
    std::unique_ptr<AnimationExport> m_export;
    std::string m_error;
};
