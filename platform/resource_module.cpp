#include "platform/resource_module.h"

#include "platform/bundle_file.h"
#include "platform/bundle_reader.h"
#include "platform/resource_tables.h"
#include "resources/resource_roots.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QLocale>
#include <QResource>
#include <QTranslator>

#include <memory>
#include <optional>

namespace
{

const QString STRING_TABLE = QStringLiteral("strings.json");
const QString MENUS = QStringLiteral("menus.json");
const QString ACCELERATORS = QStringLiteral("accelerators.json");

// The tables of one module, read from its JSON files on first use.
struct Module {
    QString root;
    std::optional<QJsonObject> strings;
    std::optional<QJsonObject> menus;
    std::optional<QJsonObject> accelerators;
};

struct Modules {
    Module builtIn { ResourceRoots::BUILT_IN, {}, {}, {} };
    std::optional<Module> german;
    // The German bundle's bytes, which Qt reads in place while they are
    // registered.
    QByteArray germanBundle;
    // Qt's own texts (file dialog, message box buttons) in German.
    std::unique_ptr<QTranslator> qtGerman;
};

Modules &Loaded()
{
    static Modules modules;
    return modules;
}

// The modules a look-up asks, in turn.
std::vector<Module *> LookUpOrder()
{
    Modules &modules = Loaded();
    std::vector<Module *> order;
    if (modules.german)
        order.push_back(&*modules.german);
    order.push_back(&modules.builtIn);
    return order;
}

// A JSON file's top-level object; an empty one when the file is missing or
// is not a JSON object.
QJsonObject ReadTable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ResourceTables::Parse(file.readAll());
}

const QJsonObject &Table(const QString &root, std::optional<QJsonObject> &cache, const QString &name)
{
    if (!cache)
        cache = ReadTable(root + '/' + name);
    return *cache;
}

// The path of a file of the first module that has it; empty when none has.
QString FindFile(const QString &relativePath)
{
    for (const Module *module : LookUpOrder()) {
        const QString path = module->root + '/' + relativePath;
        if (QFile::exists(path))
            return path;
    }
    return {};
}

// Qt's German translation of its own dialogs, installed for the
// application; null where Qt's translations are not installed.
std::unique_ptr<QTranslator> InstallQtGerman()
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

// The bytes of the bundle file at path once every byte of them has been
// checked; empty when the file cannot be read or is no whole bundle. Qt
// follows a bundle's offsets unchecked, so one damaged byte would crash the
// first look-up: a damaged bundle counts as a missing one.
QByteArray ReadCheckedBundle(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(MAX_BUNDLE_BYTES))
        return {};
    const QByteArray bytes = file.readAll();
    BundleEntries entries;
    if (!ReadBundleEntries(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
            static_cast<std::size_t>(bytes.size()), entries))
        return {};
    return bytes;
}

const uchar *ResourceData(const QByteArray &bundle)
{
    return reinterpret_cast<const uchar *>(bundle.constData());
}

} // namespace

QString ResourceModule::LoadString(int id)
{
    for (Module *module : LookUpOrder())
        if (auto text = ResourceTables::String(Table(module->root, module->strings, STRING_TABLE), id))
            return *text;
    return {};
}

QString ResourceModule::LoadStringWithEnglishText(const QString &english, int firstId, int lastId)
{
    Module &builtIn = Loaded().builtIn;
    const QJsonObject &table = Table(builtIn.root, builtIn.strings, STRING_TABLE);
    for (int id = firstId; id <= lastId; ++id)
        if (ResourceTables::String(table, id) == english)
            return LoadString(id);
    return english;
}

QString ResourceModule::LoadToolTip(int id)
{
    return LoadString(id).section('\n', 1, 1);
}

std::vector<MenuItem> ResourceModule::LoadMenu(int id)
{
    for (Module *module : LookUpOrder())
        if (auto popups = ResourceTables::Menu(Table(module->root, module->menus, MENUS), id))
            return *popups;
    return {};
}

QImage ResourceModule::LoadBitmap(int id, double scale)
{
    const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    const QString path = FindFile(QStringLiteral("bitmaps/%1%2.png").arg(id).arg(suffix));
    return path.isEmpty() ? QImage() : QImage(path);
}

QIcon ResourceModule::LoadIcon(int id)
{
    const QString folder = FindFile(QStringLiteral("icons/%1").arg(id));
    QIcon icon;
    if (folder.isEmpty())
        return icon;
    const QDir sizes(folder);
    for (const QString &name : sizes.entryList(QDir::Files))
        icon.addFile(sizes.filePath(name));
    return icon;
}

std::vector<Accelerator> ResourceModule::LoadAccelerators(int id)
{
    Module &builtIn = Loaded().builtIn;
    const QJsonArray entries
        = Table(builtIn.root, builtIn.accelerators, ACCELERATORS).value(QString::number(id)).toArray();
    std::vector<Accelerator> accelerators;
    for (const QJsonValue &entry : entries) {
        const QJsonObject object = entry.toObject();
        accelerators.push_back({ QKeySequence(object.value(QStringLiteral("keys")).toString()),
            object.value(QStringLiteral("id")).toInt() });
    }
    return accelerators;
}

bool ResourceModule::LoadLanguageBundle(const QString &path)
{
    UnloadLanguageBundle();
    const QByteArray bundle = ReadCheckedBundle(path);
    if (bundle.isEmpty() || !QResource::registerResource(ResourceData(bundle)))
        return false;
    const QString root = ResourceRoots::GERMAN;
    if (!QFile::exists(root + '/' + STRING_TABLE)) {
        QResource::unregisterResource(ResourceData(bundle));
        return false;
    }
    Modules &modules = Loaded();
    modules.german = Module { root, {}, {}, {} };
    modules.germanBundle = bundle;
    modules.qtGerman = InstallQtGerman();
    return true;
}

bool ResourceModule::LoadGermanBundle()
{
    const QString path = FindBundleFile(QString::fromLatin1(GERMAN_BUNDLE));
    return !path.isEmpty() && LoadLanguageBundle(path);
}

void ResourceModule::UnloadLanguageBundle()
{
    Modules &modules = Loaded();
    if (!modules.german)
        return;
    QResource::unregisterResource(ResourceData(modules.germanBundle));
    modules.german.reset();
    modules.germanBundle.clear();
    if (modules.qtGerman)
        QCoreApplication::removeTranslator(modules.qtGerman.get());
    modules.qtGerman.reset();
}

bool ResourceModule::IsLanguageBundleLoaded()
{
    return Loaded().german.has_value();
}

QLocale ResourceModule::InterfaceLocale()
{
    QLocale locale = IsLanguageBundleLoaded() ? QLocale(QLocale::German) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}
