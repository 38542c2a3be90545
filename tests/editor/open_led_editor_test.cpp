#include "editor/open_led_editor.h"

#include "editor/led_editor_wnd.h"

#include <QApplication>
#include <QScrollBar>
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

TEST(OpenLedEditor, AFullTableTakesNineTenthsOfTheViewAndScrolls)
{
    QWidget view;
    view.resize(1000, 705);
    view.show();

    const std::unique_ptr<CLedEditorWnd> editor = OpenLedEditor(&view, MAX_ROWS);
    // The window with its frame takes 9/10 of the view's height.
    EXPECT_EQ(editor->width(), 232);
    EXPECT_EQ(editor->frameGeometry().height(), 634);
    editor->grab();
    const QScrollBar *bar = editor->findChild<QScrollBar *>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isEnabled());
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
