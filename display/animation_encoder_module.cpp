#include "display/animation_encoder_module.h"

#include "platform/module_loader.h"

namespace
{

struct FormatEnding {
    AnimationFormat format;
    const char *ending;
};

constexpr FormatEnding FORMAT_ENDINGS[] = {
    { AnimationFormat::Gif, ".gif" },
    { AnimationFormat::Mp4, ".mp4" },
    { AnimationFormat::WebM, ".webm" },
};

} // namespace

std::optional<AnimationFormat> AnimationFormatOf(const QString &fileName)
{
    for (const FormatEnding &ending : FORMAT_ENDINGS)
        if (fileName.endsWith(QLatin1String(ending.ending), Qt::CaseInsensitive))
            return ending.format;
    return std::nullopt;
}

std::unique_ptr<AnimationEncoder> LoadAnimationEncoder(AnimationFormat format, std::string &error)
{
    std::string reason;
    auto *create = ResolveModuleFunction<CreateAnimationEncoderFunction>(
        ENCODERS_MODULE, CREATE_ANIMATION_ENCODER, reason);
    if (!create) {
        error = "the animation encoders cannot be loaded: " + reason;
        return nullptr;
    }
    return std::unique_ptr<AnimationEncoder>(create(format));
}
