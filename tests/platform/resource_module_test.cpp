#include "platform/bundle_file.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "resources/product.h"

#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>

#include <gtest/gtest.h>

namespace
{

const QString GERMAN_BUNDLE = QStringLiteral(PEMBLO_BIN_DIR "/german.rcc");

class ResourceModuleTest : public testing::Test
{
protected:
    void TearDown() override { ResourceModule::UnloadLanguageBundle(); }
};

// Ids and structure of a menu, without the texts.
void ExpectSameShape(const std::vector<MenuItem> &a, const std::vector<MenuItem> &b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].id, b[i].id);
        EXPECT_EQ(a[i].separator, b[i].separator);
        EXPECT_EQ(a[i].checkable, b[i].checkable);
        EXPECT_EQ(a[i].key.isEmpty(), b[i].key.isEmpty()) << a[i].text.toStdString();
        ExpectSameShape(a[i].items, b[i].items);
    }
}

} // namespace

TEST_F(ResourceModuleTest, GermanBundleGoesFirstAndFallsBackToEnglish)
{
    ASSERT_TRUE(ResourceModule::LoadLanguageBundle(GERMAN_BUNDLE));
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_FILE_OPEN), "Öffnen");
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_GOTO_SITE), MAKER_SITE_HOST);
    // The keys are the built-in ones.
    EXPECT_FALSE(ResourceModule::LoadAccelerators(IDR_EDITOR_ACCELERATORS).empty());

    ASSERT_TRUE(ResourceModule::LoadLanguageBundle(QStringLiteral(PARTIAL_GERMAN_BUNDLE)));
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_START_SIMULATION), "Start");
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_STOP_SIMULATION), "stop");

    ResourceModule::UnloadLanguageBundle();
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_FILE_OPEN), "open");
}

TEST_F(ResourceModuleTest, OnlyABundleBesideTheProgramOrNamedLoads)
{
    QTemporaryFile notABundle;
    ASSERT_TRUE(notABundle.open());
    notABundle.write("#=QUORBEL\n");
    notABundle.close();
    EXPECT_FALSE(ResourceModule::LoadLanguageBundle(notABundle.fileName()));
    EXPECT_FALSE(ResourceModule::LoadLanguageBundle(QStringLiteral("/nonexistent/german.rcc")));
    EXPECT_FALSE(ResourceModule::IsLanguageBundleLoaded());

    EXPECT_EQ(FindBundleFile(QStringLiteral("german.rcc")), GERMAN_BUNDLE);
    EXPECT_EQ(FindBundleFile(GERMAN_BUNDLE), GERMAN_BUNDLE);
    EXPECT_EQ(FindBundleFile(QStringLiteral("no-such-bundle.rcc")), "");
    EXPECT_TRUE(ResourceModule::LoadGermanBundle());
}

TEST_F(ResourceModuleTest, ADamagedGermanBundleCountsAsAMissingOne)
{
    QFile built(GERMAN_BUNDLE);
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    QByteArray bytes = built.readAll();
    // The tree's first node is the root folder; its children start at the
    // node whose number follows the count. Qt would follow it unchecked.
    bytes.replace(qFromBigEndian<quint32>(bytes.constData() + 8) + 10, 4, QByteArray::fromHex("7ffffff0"));
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("german.rcc")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) > 0);
    file.close();
    EXPECT_FALSE(ResourceModule::LoadLanguageBundle(file.fileName()));
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_FILE_OPEN), "open");
}

TEST_F(ResourceModuleTest, EditorContextMenusHaveTheSameShapeInBothLanguages)
{
    const std::vector<MenuItem> english = ResourceModule::LoadMenu(IDR_EDITOR_MENU);
    ASSERT_EQ(english.size(), 2u);
    ExpectSameShape(english[0].items, english[1].items);

    ASSERT_TRUE(ResourceModule::LoadLanguageBundle(GERMAN_BUNDLE));
    const std::vector<MenuItem> german = ResourceModule::LoadMenu(IDR_EDITOR_MENU);
    ASSERT_EQ(german.size(), 2u);
    ExpectSameShape(english[0].items, german[0].items);
    ExpectSameShape(english[1].items, german[1].items);
    EXPECT_EQ(german[1].items[0].text, "Zeilen ausschneiden");
    EXPECT_EQ(german[0].items[0].key, "STRG+X");
}
