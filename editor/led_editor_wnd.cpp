#include "editor/led_editor_wnd.h"

#include "editor/editor_rows.h"
#include "editor/editor_scrolling.h"
#include "editor/led_editor_painter.h"

#include <QCloseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <optional>

namespace
{

// A pattern has 32 bits; no more channels can be shown.
constexpr int MAX_CHANNEL_COLUMNS = 32;

std::optional<ScrollCode> ToScrollCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollCode::LineUp;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollCode::LineDown;
    case QAbstractSlider::SliderPageStepSub: return ScrollCode::PageUp;
    case QAbstractSlider::SliderPageStepAdd: return ScrollCode::PageDown;
    case QAbstractSlider::SliderToMinimum: return ScrollCode::Top;
    case QAbstractSlider::SliderToMaximum: return ScrollCode::Bottom;
    case QAbstractSlider::SliderMove: return ScrollCode::ThumbTrack;
    default: return std::nullopt;
    }
}

} // namespace

CLedEditorWnd::CLedEditorWnd()
    : QWidget(nullptr, Qt::Tool)
    , m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    m_rows.fill(EmptyRow());

    setWindowTitle(QStringLiteral("Pemblo!"));
    // The paint covers every pixel; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setGeometry(0, 0, 0, 0);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CLedEditorWnd::OnScrollBarAction);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &CLedEditorWnd::OnScrollBarValue);
}

CLedEditorWnd::~CLedEditorWnd() = default;

void CLedEditorWnd::Configure(int channelCount, int rowCount)
{
    m_channelCount = std::clamp(channelCount, 0, MAX_CHANNEL_COLUMNS);
    m_rowCount = rowCount;
}

void CLedEditorWnd::SetTraceLine(int row)
{
    m_traceLine = row;
    if (row < 0)
        return;
    EnsureVisible(row);
    update();
}

std::uint32_t CLedEditorWnd::GetCurrentPattern() const
{
    return m_currentPattern;
}

void CLedEditorWnd::EnableWindow(bool enable)
{
    // The document calls this on every tick; only a change repaints.
    if (isEnabled() != enable)
        setEnabled(enable);
}

void CLedEditorWnd::EnsureVisible(int row)
{
    if (row < 0 || row >= MAX_ROWS)
        return;
    if (ScrollToShow(Metrics(), ClientRect(), row, m_scrollPos))
        update();
    const SequenceRow &shown = m_rows[static_cast<std::size_t>(row)];
    m_currentPattern = shown.isCommand ? 0 : shown.pattern;
}

EditorLayout CLedEditorWnd::ComputeLayout()
{
    return ::ComputeLayout(Metrics(), ClientRect(), m_scrollPos);
}

PixelSize CLedEditorWnd::ContentSize() const
{
    return EditorContentSize(Metrics(), m_scrollPos);
}

void CLedEditorWnd::OnPaint()
{
    const EditorLayout layout = ComputeLayout();
    UpdateScrollBar(layout);

    QPainter dc(this);
    CLedEditorPainter painter(dc, layout, width(), height());
    painter.Paint({ m_rows, m_selected, Metrics(), m_groupSize, m_traceLine, m_scrollPos });
}

void CLedEditorWnd::OnSize(int, int)
{
    update();
}

void CLedEditorWnd::OnClose()
{
    OnDestroy();
}

void CLedEditorWnd::OnDestroy()
{
    m_closed = 1;
}

void CLedEditorWnd::OnVScroll(ScrollCode code, int position, QScrollBar *scrollBar)
{
    if (scrollBar != m_scrollBar)
        return;
    const std::optional<int> scrollPos
        = ScrollPositionAfter(code, m_scrollPos, position, Metrics(), ClientRect());
    if (!scrollPos)
        return;
    m_scrollPos = *scrollPos;
    update();
}

void CLedEditorWnd::paintEvent(QPaintEvent *)
{
    OnPaint();
}

void CLedEditorWnd::resizeEvent(QResizeEvent *event)
{
    OnSize(event->size().width(), event->size().height());
}

void CLedEditorWnd::closeEvent(QCloseEvent *event)
{
    // Closing hides the window; the object lives on until the document,
    // seeing m_closed, takes the rows back and deletes it.
    event->accept();
    OnClose();
}

GridMetrics CLedEditorWnd::Metrics() const
{
    return { std::clamp(m_rowCount, 0, MAX_ROWS), m_rowHeight, m_cellWidth, m_channelCount };
}

PixelRect CLedEditorWnd::ClientRect() const
{
    return { 0, 0, width(), height() };
}

void CLedEditorWnd::UpdateScrollBar(const EditorLayout &layout)
{
    const ScrollBarState state = ComputeScrollBar(Metrics(), layout, m_scrollPos);
    // Setting the range may move the value on the way; that is no scrolling.
    const QSignalBlocker blocker(m_scrollBar);
    // Qt's range is that of the top of the page; the window system's is that
    // of the whole content.
    m_scrollBar->setRange(state.minimum, std::max(state.minimum, state.maximum - state.page));
    m_scrollBar->setPageStep(state.page);
    m_scrollBar->setValue(state.position);
    m_scrollBar->setEnabled(state.enabled);
    m_scrollBar->setGeometry(layout.scrollLeft, layout.rowsTop, layout.indexLeft - layout.scrollLeft,
        std::max(0, layout.rowsBottom - layout.rowsTop));
    m_scrollBar->show();
}

void CLedEditorWnd::OnScrollBarAction(int action)
{
    const std::optional<ScrollCode> code = ToScrollCode(action);
    if (!code)
        return;
    OnVScroll(*code, m_scrollBar->sliderPosition(), m_scrollBar);
    // Qt moves the slider by its own steps after this; keep it where the
    // editor scrolled to.
    m_scrollBar->setSliderPosition(m_scrollPos);
}

void CLedEditorWnd::OnScrollBarValue(int value)
{
    // Steps and drags arrive as actions and have set the position already;
    // what is left is the bar's own "Scroll here".
    if (value != m_scrollPos)
        OnVScroll(ScrollCode::ThumbPosition, value, m_scrollBar);
}
