// Every string id the code uses is in the registry, and every id there has
// an English and a German text.

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace
{

const std::filesystem::path SOURCE_DIR = PEMBLO_SOURCE_DIR;
const std::filesystem::path REGISTRY = SOURCE_DIR / "resources" / "string_ids.h";
// The ranges whose English texts are the code's own, not the string table's.
const std::set<std::string> ENGLISH_IN_CODE = { "IDS_FINDING_TEXTS" };

std::string ReadText(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

QJsonObject ReadStrings(const char *path)
{
    QFile file(QString::fromUtf8(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QJsonDocument::fromJson(file.readAll()).object();
}

std::map<std::string, int> RegisteredIds()
{
    std::map<std::string, int> ids;
    const std::string text = ReadText(REGISTRY);
    const std::regex declaration(R"(inline constexpr int (IDS_\w+) = (\d+);)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration); it != std::sregex_iterator();
         ++it)
        ids[(*it)[1]] = std::stoi((*it)[2]);
    return ids;
}

// Every id the registry names, by its name; a range's ids all by the name of
// its first.
struct RegisteredText {
    std::string name;
    // An id inside a range past its first may be room kept for more texts.
    bool mayBeFree;
};

std::map<int, RegisteredText> IdsWithTexts(const std::map<std::string, int> &registered)
{
    std::map<int, RegisteredText> ids;
    for (const auto &[name, id] : registered)
        ids.emplace(id, RegisteredText { name, false });
    for (const auto &[name, last] : registered) {
        const std::size_t at = name.find("LAST");
        if (at == std::string::npos)
            continue;
        std::string first = name;
        first.replace(at, 4, "FIRST");
        if (!registered.count(first))
            first = name.substr(0, name.size() - std::string("_LAST").size());
        EXPECT_TRUE(registered.count(first)) << name << " closes no range";
        const int start = registered.count(first) ? registered.at(first) : last;
        for (int id = start; id <= last; ++id)
            ids[id] = { first, id != start };
    }
    return ids;
}

TEST(StringIds, EveryIdHasAnEnglishAndAGermanText)
{
    const std::map<std::string, int> registered = RegisteredIds();
    ASSERT_GT(registered.size(), 50u) << "read " << REGISTRY;
    const QJsonObject english = ReadStrings(ENGLISH_STRINGS);
    const QJsonObject german = ReadStrings(GERMAN_STRINGS);
    for (const auto &[id, text] : IdsWithTexts(registered)) {
        SCOPED_TRACE(text.name + " " + std::to_string(id));
        const QString key = QString::number(id);
        const bool englishInCode = ENGLISH_IN_CODE.count(text.name) != 0;
        const bool hasEnglish = englishInCode || !english.value(key).toString().isEmpty();
        const bool hasGerman = !german.value(key).toString().isEmpty();
        if (text.mayBeFree && !hasEnglish && !hasGerman)
            continue;
        EXPECT_TRUE(hasEnglish) << "no English text";
        EXPECT_TRUE(hasGerman) << "no German text";
    }
}

TEST(StringIds, TheCodeUsesOnlyRegisteredIdsAndDeclaresNoneElsewhere)
{
    const std::map<std::string, int> registered = RegisteredIds();
    const std::regex used(R"(\bIDS_[A-Z0-9_]+)");
    const std::regex declared("constexpr int "
                              "IDS_");
    for (const auto &folder : std::filesystem::directory_iterator(SOURCE_DIR)) {
        const std::string name = folder.path().filename().string();
        if (!folder.is_directory() || name.front() == '.' || name.rfind("build", 0) == 0)
            continue;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(folder.path())) {
            const std::string ending = entry.path().extension().string();
            if ((ending != ".cpp" && ending != ".h") || entry.path() == REGISTRY)
                continue;
            const std::string text = ReadText(entry.path());
            SCOPED_TRACE(entry.path().lexically_relative(SOURCE_DIR).string());
            EXPECT_FALSE(std::regex_search(text, declared)) << "a string id declared outside the registry";
            for (auto it = std::sregex_iterator(text.begin(), text.end(), used); it != std::sregex_iterator();
                 ++it)
                EXPECT_TRUE(registered.count(it->str())) << it->str() << " is not in the registry";
        }
    }
}

} // namespace
