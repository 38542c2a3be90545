#include "editor/open_led_editor.h"

#include "editor/led_editor_wnd.h"

#include <QApplication>
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
