#include "display/animation_job.h"

#include "display/device_bundle.h"
#include "display/encoders_module_loader.h"
#include "platform/bundle_file.h"

std::optional<AnimationRefusal> AnimationRefusalFor(const std::string &fileName, int size)
{
    const std::optional<AnimationFormat> format = AnimationFormatOf(fileName);
    if (!format)
        return AnimationRefusal::UnknownEnding;
    if (*format != AnimationFormat::Gif && size % 2 != 0)
        return AnimationRefusal::OddVideoSize;
    return std::nullopt;
}

std::string BuildBitmapsFromBundle(DeviceBitmaps &bitmaps, const std::string &name)
{
    const std::string path = FindBundleFile(name);
    if (path.empty())
        return "cannot find the device bundle " + name;
    DeviceBundle bundle;
    if (!bundle.Open(path))
        return path + " is not a device bundle";
    if (!bitmaps.Build(bundle.TakeDevicePicture(), RGB32_FORMAT))
        return path + " holds no usable device picture";
    return {};
}

bool AnimationJob::Start(const RowTable &rows, const std::string &deviceBundle, const std::string &path,
    AnimationExport::Settings settings)
{
    const std::optional<AnimationFormat> format = AnimationFormatOf(path);
    if (!format)
        return Fail("the file name ends in none of .gif, .mp4 and .webm");
    settings.format = *format;
    if (const std::string error = BuildBitmapsFromBundle(m_bitmaps, deviceBundle); !error.empty())
        return Fail(error);
    std::string error;
    std::unique_ptr<AnimationEncoder> encoder = LoadAnimationEncoder(settings.format, error);
    if (!encoder)
        return Fail(error);
    m_export = std::make_unique<AnimationExport>(rows, m_bitmaps, std::move(settings));
    if (!m_export->Begin(std::move(encoder), path))
        return Fail(m_export->Error());
    return true;
}

bool AnimationJob::Finish()
{
    if (!m_export)
        return false;
    if (m_export->Finish())
        return true;
    return Fail(m_export->Error());
}

bool AnimationJob::Fail(const std::string &error)
{
    m_error = error;
    return false;
}
