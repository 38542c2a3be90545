#include "display/encoders_module_loader.h"

#include "platform/module_loader.h"

#include <algorithm>
#include <cctype>
#include <cstring>

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

std::optional<AnimationFormat> AnimationFormatOf(const std::string &fileName)
{
    const auto sameLetter = [](char a, char b) { return std::tolower(a) == std::tolower(b); };
    for (const FormatEnding &ending : FORMAT_ENDINGS) {
        const std::size_t length = std::strlen(ending.ending);
        if (fileName.size() >= length
            && std::equal(fileName.end() - length, fileName.end(), ending.ending, sameLetter))
            return ending.format;
    }
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
