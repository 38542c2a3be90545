#include "display/animation_encoder_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace
{

using CreateEncoder = AnimationEncoder *(*)(AnimationFormat format);

struct FormatEnding {
    AnimationFormat format;
    const char *ending;
};

constexpr FormatEnding FORMAT_ENDINGS[] = {
    { AnimationFormat::Gif, ".gif" },
    { AnimationFormat::Mp4, ".mp4" },
    { AnimationFormat::WebM, ".webm" },
};

QString ModulePath()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString &candidate : { programDir.filePath(QStringLiteral(PEMBLO_ENCODERS_MODULE)),
             programDir.filePath(QStringLiteral("../lib/pemblo/" PEMBLO_ENCODERS_MODULE)) })
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    return {};
}

// The module stays loaded once it is: encoders made by it may live on.
CreateEncoder LoadModule(std::string &error)
{
    static CreateEncoder create = nullptr;
    if (create)
        return create;
    const QString path = ModulePath();
    if (path.isEmpty()) {
        error = "the animation encoders (" PEMBLO_ENCODERS_MODULE ") are not installed";
        return nullptr;
    }
    QLibrary module(path);
    create = reinterpret_cast<CreateEncoder>(module.resolve("CreatePembloAnimationEncoder"));
    if (!create)
        error = "cannot load the animation encoders: " + module.errorString().toStdString();
    return create;
}

} // namespace

std::optional<AnimationFormat> AnimationFormatOf(const QString &fileName)
{
    for (const FormatEnding &ending : FORMAT_ENDINGS)
        if (fileName.endsWith(QLatin1String(ending.ending), Qt::CaseInsensitive))
            return ending.format;
    return std::nullopt;
}

std::unique_ptr<AnimationEncoder> CreateAnimationEncoder(AnimationFormat format, std::string &error)
{
    const CreateEncoder create = LoadModule(error);
    return create ? std::unique_ptr<AnimationEncoder>(create(format)) : nullptr;
}
