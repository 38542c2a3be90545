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

// At start-up the main window reaches its final size only after the editor
// opened: the editor follows until the user moves or resizes it.
TEST(OpenLedEditor, FitsBesideTheViewAndFollowsItsFinalSizeUntilTheUserTakesOver)
{
    auto view = std::make_unique<QWidget>();
    view->setGeometry(40, 30, 1000, 800);
    view->show();
    std::unique_ptr<CLedEditorWnd> editor = OpenLedEditor(view.get(), 3);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->size(), QSize(232, 76));
    EXPECT_EQ(editor->pos(), view->mapToGlobal(QPoint(50, 40)));
    EXPECT_EQ(editor->m_rowCount, 3);
    EXPECT_EQ(editor->windowHandle()->transientParent(), view->windowHandle());
    EXPECT_EQ(editor->parent(), nullptr);

    editor = OpenLedEditor(view.get(), MAX_ROWS);
    EXPECT_EQ(editor->frameGeometry().height(), 720);
    // The key that opened it, still on its way, is not the user taking over.
    QTest::keyClick(view.get(), Qt::Key_Return);
    view->setGeometry(0, 0, 1000, 1000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->frameGeometry().height() == 900; }));
    EXPECT_EQ(editor->pos(), view->mapToGlobal(QPoint(50, 50)));
    editor->resize(300, 300);
    view->resize(1000, 800);
    QApplication::processEvents();
    EXPECT_EQ(editor->size(), QSize(300, 300));

    // The editor outlives its owner window.
    view.reset();
    EXPECT_EQ(editor->windowHandle()->transientParent(), nullptr);
}

} // namespace
