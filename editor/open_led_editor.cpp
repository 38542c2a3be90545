#include "editor/open_led_editor.h"

#include "core/constants.h"
#include "editor/editor_window_fit.h"
#include "editor/led_editor_wnd.h"
#include "platform/user_press.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace
{

// The editor is placed this fraction of the view's size in from its corner.
constexpr int POSITION_DIVISOR = 20;

QMargins FrameMargins(const QWidget &window)
{
    const QRect outer = window.frameGeometry();
    const QRect client = window.geometry();
    return { client.left() - outer.left(), client.top() - outer.top(), outer.right() - client.right(),
        outer.bottom() - client.bottom() };
}

// Keeps a new editor fitted to the view until that fit is final. A window
// manager frames a window only after it is shown, so its frame first reads
// 0 x 0; and at start-up the main window reaches its maximised size only
// after the editor opened. So the editor is fitted again whenever its frame,
// the view's size or the main window's place changes, until the user takes
// over: a key, button or wheel anywhere, or a move or resize of the editor
// that was not the fit's own.
class EditorFitKeeper : public QObject
{
public:
    EditorFitKeeper(CLedEditorWnd &editor, QWidget &view)
        : QObject(&editor)
        , m_editor(editor)
        , m_view(&view)
    {
        Fit();
        qApp->installEventFilter(this);
        // The press that opened the editor (Return in the Open dialog) may
        // still be on its way: only presses after it count.
        QMetaObject::invokeMethod(
            this, [this] { m_pressesCount = true; }, Qt::QueuedConnection);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_fitting)
            OnEvent(watched, event->type());
        return false;
    }

private:
    void OnEvent(QObject *watched, QEvent::Type type)
    {
        if (!m_view || (m_pressesCount && (IsUserPress(type) || type == QEvent::Wheel))) {
            Stop();
            return;
        }
        const bool geometry = type == QEvent::Move || type == QEvent::Resize;
        if (watched == &m_editor)
            OnEditorEvent(type, geometry);
        else if ((watched == m_view && type == QEvent::Resize) || (watched == m_view->window() && geometry))
            Fit();
    }

    // The frame may come without a move or resize: once the window shows,
    // it is looked at again after each paint.
    void OnEditorEvent(QEvent::Type type, bool geometry)
    {
        if (geometry) {
            if (FrameMargins(m_editor) != m_frame)
                Fit();
            else if (m_editor.pos() != m_place || m_editor.size() != m_clientSize)
                Stop();
        } else if (type == QEvent::Paint || type == QEvent::WindowActivate) {
            QMetaObject::invokeMethod(this, &EditorFitKeeper::FitNewFrame, Qt::QueuedConnection);
        }
    }

    void FitNewFrame()
    {
        if (m_view && FrameMargins(m_editor) != m_frame)
            Fit();
    }

    void Fit()
    {
        m_frame = FrameMargins(m_editor);
        const PixelSize frame { m_frame.left() + m_frame.right(), m_frame.top() + m_frame.bottom() };
        const PixelSize outer
            = FitEditorWindow(frame, m_editor.ContentSize(), { m_view->width(), m_view->height() });
        // Qt sizes a window by its client area and places it by its frame.
        m_clientSize
            = QSize(std::max(1, outer.width - frame.width), std::max(1, outer.height - frame.height));
        m_place = m_view->mapToGlobal(
            QPoint(m_view->width() / POSITION_DIVISOR, m_view->height() / POSITION_DIVISOR));
        m_fitting = true;
        m_editor.resize(m_clientSize);
        m_editor.move(m_place);
        m_fitting = false;
    }

    void Stop()
    {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    CLedEditorWnd &m_editor;
    QPointer<QWidget> m_view;
    QMargins m_frame;
    QSize m_clientSize;
    QPoint m_place;
    bool m_fitting = false;
    bool m_pressesCount = false;
};

} // namespace

std::unique_ptr<CLedEditorWnd> OpenLedEditor(QWidget *view, int rowCount)
{
    auto editor = std::make_unique<CLedEditorWnd>();
    editor->Configure(CHANNEL_COUNT, rowCount);
    editor->winId();
    if (QWindow *owner = view->window()->windowHandle())
        editor->windowHandle()->setTransientParent(owner);
    new EditorFitKeeper(*editor, *view);
    editor->show();
    return editor;
}
