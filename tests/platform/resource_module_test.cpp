#include "platform/bundle_file.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "resources/product.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryFile>

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

TEST_F(ResourceModuleTest, EnglishStringsAndTooltips)
{
    EXPECT_EQ(ResourceModule::LoadString(ID_START_SIMULATION), "start simulation\nstart");
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_FILE_SAVE_AS), "save as");
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_GOTO_SITE), MAKER_SITE_HOST);
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_APP_ABOUT), "");
    EXPECT_EQ(ResourceModule::LoadString(IDR_MAINFRAME).section('\n', 3, 3), "Pemblo files (*.lsq)");
    EXPECT_EQ(ResourceModule::LoadString(4711), "");
}

TEST_F(ResourceModuleTest, GermanBundleGoesFirstAndFallsBackToEnglish)
{
    ASSERT_TRUE(ResourceModule::LoadLanguageBundle(GERMAN_BUNDLE));
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_FILE_OPEN), "Öffnen");
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_GOTO_SITE), MAKER_SITE_HOST);
    // The bitmaps and the keys are the built-in ones.
    EXPECT_EQ(ResourceModule::LoadBitmap(IDB_TOOLBAR_NORMAL).size(), QSize(256, 32));
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
    EXPECT_EQ(ResourceModule::LoadToolTip(ID_FILE_OPEN), "open");

    EXPECT_EQ(FindBundleFile(QStringLiteral("german.rcc")), GERMAN_BUNDLE);
    EXPECT_EQ(FindBundleFile(GERMAN_BUNDLE), GERMAN_BUNDLE);
    EXPECT_EQ(FindBundleFile(QStringLiteral("no-such-bundle.rcc")), "");
    EXPECT_TRUE(ResourceModule::LoadGermanBundle());
}

TEST_F(ResourceModuleTest, EditorContextMenusInBothLanguagesBecomeActionsWithTheirIds)
{
    const std::vector<MenuItem> english = ResourceModule::LoadMenu(IDR_EDITOR_MENU);
    ASSERT_EQ(english.size(), 2u);
    EXPECT_EQ(english[1].items[0].text, "Cut lines");
    ExpectSameShape(english[0].items, english[1].items);

    QMenu menu;
    PopulateMenu(menu, english[0].items);
    const QList<QAction *> actions = menu.actions();
    ASSERT_EQ(actions.size(), 22);
    EXPECT_EQ(actions[0]->text(), "Cut line\tCTRL+X");
    EXPECT_EQ(actions[0]->data().toInt(), 40001);
    EXPECT_FALSE(actions[0]->isCheckable());
    EXPECT_TRUE(actions[4]->isSeparator());
    ASSERT_NE(actions[7]->menu(), nullptr);
    EXPECT_EQ(actions[7]->menu()->actions()[3]->data().toInt(), 40009);
    EXPECT_TRUE(actions[8]->isCheckable() && actions[8]->isChecked());
    EXPECT_EQ(actions[21]->data().toInt(), 32784);

    ASSERT_TRUE(ResourceModule::LoadLanguageBundle(GERMAN_BUNDLE));
    const std::vector<MenuItem> german = ResourceModule::LoadMenu(IDR_EDITOR_MENU);
    ASSERT_EQ(german.size(), 2u);
    ExpectSameShape(english[0].items, german[0].items);
    ExpectSameShape(english[1].items, german[1].items);
    EXPECT_EQ(german[1].items[0].text, "Zeilen ausschneiden");
    EXPECT_EQ(german[0].items[0].key, "STRG+X");
}

TEST_F(ResourceModuleTest, AcceleratorsOfTheEditor)
{
    const std::vector<Accelerator> keys = ResourceModule::LoadAccelerators(IDR_EDITOR_ACCELERATORS);
    const auto command = [&](const QKeySequence &sequence) {
        for (const Accelerator &accelerator : keys)
            if (accelerator.keys == sequence)
                return accelerator.id;
        return 0;
    };
    EXPECT_EQ(command(QKeySequence(Qt::CTRL | Qt::Key_X)), 137);
    EXPECT_EQ(command(QKeySequence(Qt::SHIFT | Qt::Key_Delete)), 137);
    EXPECT_EQ(command(QKeySequence(Qt::ALT | Qt::Key_8)), 32795);
    EXPECT_EQ(command(QKeySequence(Qt::SHIFT | Qt::Key_O)), 32784);
    EXPECT_EQ(command(QKeySequence(Qt::Key_Escape)), 32786);
}

TEST_F(ResourceModuleTest, ToolbarBitmapsAndIcon)
{
    for (int id :
        { IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_HOT, IDB_TOOLBAR_MASK, IDR_MAINFRAME })
        EXPECT_EQ(ResourceModule::LoadBitmap(id).size(), QSize(256, 32)) << id;
    EXPECT_TRUE(ResourceModule::LoadBitmap(IDB_SPLASH).isNull());
    const QList<QSize> sizes = ResourceModule::LoadIcon(IDR_MAINFRAME).availableSizes();
    for (int size : { 16, 24, 32, 48 })
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}
