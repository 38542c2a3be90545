// The module of the animation encoders: giflib and FFmpeg's libraries come
// with it, loaded only when an animation is made.

#include "display/gif_encoder.h"
#include "display/video_encoder.h"

extern "C" __attribute__((visibility("default"))) AnimationEncoder *CreateAnimationEncoder(
    AnimationFormat format)
{
    if (format == AnimationFormat::Gif)
        return new GifEncoder;
    return new VideoEncoder(format);
}
