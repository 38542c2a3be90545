#include "editor/open_led_editor.h"

#include "core/constants.h"
#include "editor/led_editor_wnd.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace
{

TEST(OpenLedEditor, ASmallTableGetsItsContentSizeBesideTheView)
{
    QWidget view;
    view.setGeometry(40, 30, 1000, 800);
    view.show();

    const std::unique_ptr<CLedEditorWnd> editor = OpenLedEditor(&view, 3);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->size(), QSize(232, 76));
    EXPECT_EQ(editor->pos(), view.mapToGlobal(QPoint(50, 40)));
    EXPECT_EQ(editor->m_rowCount, 3);
    EXPECT_EQ(editor->windowHandle()->transientParent(), view.windowHandle());
    EXPECT_EQ(editor->parent(), nullptr);
    // The measuring window is gone: only the view and the editor are left.
    EXPECT_EQ(QApplication::topLevelWidgets().size(), 2);
}

// The main window reaches its final size only after the editor opened at
// start-up; the editor follows until the user moves or resizes it.
TEST(OpenLedEditor, ALongTableFitsTheViewsFinalSizeUntilTheUserTakesOver)
{
    QWidget view;
    view.setGeometry(0, 0, 1000, 1000);
    view.show();
    const std::unique_ptr<CLedEditorWnd> editor = OpenLedEditor(&view, MAX_ROWS);
    EXPECT_EQ(editor->frameGeometry().height(), 900);

    view.setGeometry(0, 50, 1000, 800);
    const QPoint place = view.mapToGlobal(QPoint(50, 40));
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->pos() == place; }));
    EXPECT_EQ(editor->frameGeometry().height(), 720);

    editor->resize(300, 300);
    view.resize(1000, 1000);
    QApplication::processEvents();
    EXPECT_EQ(editor->size(), QSize(300, 300));
    EXPECT_EQ(editor->pos(), place);
}

TEST(OpenLedEditor, TheEditorOutlivesItsOwnerWindow)
{
    auto view = std::make_unique<QWidget>();
    view->show();
    std::unique_ptr<CLedEditorWnd> editor = OpenLedEditor(view.get(), 3);
    view.reset();
    EXPECT_EQ(editor->windowHandle()->transientParent(), nullptr);
    editor.reset();
}

} // namespace
