#include "editor/open_led_editor.h"

#include "core/constants.h"
#include "editor/editor_window_fit.h"
#include "editor/led_editor_wnd.h"

#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace
{

// The size of the window that only measures the frame.
constexpr int MEASURING_SIZE = 100;
// The editor is placed this fraction of the view's size in from its corner.
constexpr int POSITION_DIVISOR = 20;

// Shows a new editor with the given client size, owned for stacking (not for
// deletion) by the view's main window.
std::unique_ptr<CLedEditorWnd> ShowEditor(QWidget *view, int rowCount, const QSize &clientSize)
{
    auto editor = std::make_unique<CLedEditorWnd>();
    editor->Configure(CHANNEL_COUNT, rowCount);
    editor->move(
        view->mapToGlobal(QPoint(view->width() / POSITION_DIVISOR, view->height() / POSITION_DIVISOR)));
    editor->resize(clientSize);
    editor->winId();
    if (QWindow *owner = view->window()->windowHandle())
        editor->windowHandle()->setTransientParent(owner);
    editor->show();
    return editor;
}

PixelSize FrameSize(const QWidget &window)
{
    const QSize outer = window.frameGeometry().size();
    const QSize client = window.geometry().size();
    return { outer.width() - client.width(), outer.height() - client.height() };
}

} // namespace

std::unique_ptr<CLedEditorWnd> OpenLedEditor(QWidget *view, int rowCount)
{
    std::unique_ptr<CLedEditorWnd> measuring
        = ShowEditor(view, rowCount, QSize(MEASURING_SIZE, MEASURING_SIZE));
    const PixelSize frame = FrameSize(*measuring);
    const PixelSize outer
        = FitEditorWindow(frame, measuring->ContentSize(), { view->width(), view->height() });
    measuring.reset();

    // Qt sizes a window by its client area.
    const QSize client(std::max(1, outer.width - frame.width), std::max(1, outer.height - frame.height));
    return ShowEditor(view, rowCount, client);
}
