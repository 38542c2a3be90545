#include "editor/led_editor_painter.h"

#include "editor/command_display.h"

#include <QPainter>
#include <QString>

#include <algorithm>

namespace
{

// Lines with less than this many pixels in view show no text.
constexpr int MIN_TEXT_HEIGHT = 16;

// Where the texts sit in their cells.
constexpr int TITLE_DX = 4;
constexpr int TITLE_DY = 2;
constexpr int HEADER_DX = 1;
constexpr int CHANNEL_HEADER_DX = 2;
constexpr int HEADER_DY = 2;
constexpr int LINE_DX = 2;
constexpr int LINE_DY = 0;

QColor ToQColor(const Rgb &colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

bool IsEmpty(const PixelRect &rect)
{
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

bool Intersects(const PixelRect &a, const PixelRect &b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

QRect ToQRect(const PixelRect &rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

bool IsChannelOn(const SequenceRow &row, int channel)
{
    return (row.pattern >> channel & 1U) != 0;
}

} // namespace

CLedEditorPainter::CLedEditorPainter(
    QPainter &dc, const EditorLayout &layout, int clientWidth, int clientHeight)
    : m_dc(dc)
    , m_layout(layout)
    , m_clientWidth(clientWidth)
    , m_clientHeight(clientHeight)
{
}

void CLedEditorPainter::Paint(const EditorPaintContent &content, const PixelRect &dirty)
{
    m_dirty = dirty;
    const EditorLayout &l = m_layout;
    Fill({ l.rightEdge, 0, m_clientWidth, m_clientHeight }, BackgroundColour());
    Fill({ l.leftEdge, l.titleTop, l.indexLeft, l.rowsTop }, FrameColour());
    PaintTitleAndHeader(content.grid);
    PaintLines(content);
    Fill({ l.leftEdge, l.rowsBottom, l.rightEdge, l.marginBottom }, FrameColour());
    Fill({ l.leftEdge, l.marginBottom, l.rightEdge, m_clientHeight }, BackgroundColour());
}

void CLedEditorPainter::PaintTitleAndHeader(const GridMetrics &grid)
{
    const EditorLayout &l = m_layout;
    const Rgb text = TextColour();
    DrawCell({ l.indexLeft, l.titleTop, l.rightEdge, l.headerTop }, QStringLiteral("LED Editor"), TITLE_DX,
        TITLE_DY, text, FrameColour(), false);

    const Rgb grey = HeaderColour();
    DrawCell({ l.indexLeft, l.headerTop, l.timeLeft, l.rowsTop }, QStringLiteral("#"), HEADER_DX, HEADER_DY,
        text, grey, true);
    DrawCell({ l.timeLeft, l.headerTop, l.channelLeft, l.rowsTop }, QStringLiteral("Zeit"), HEADER_DX,
        HEADER_DY, text, grey, true);
    for (int channel = 1; channel <= grid.channelCount; ++channel) {
        const int left = l.channelLeft + (channel - 1) * grid.cellWidth;
        DrawCell({ left, l.headerTop, left + grid.cellWidth, l.rowsTop }, QString::number(channel),
            CHANNEL_HEADER_DX, HEADER_DY, text, grey, true);
    }
    Fill({ l.channelRight, l.headerTop, l.rightEdge, l.rowsTop }, FrameColour());
}

void CLedEditorPainter::PaintLines(const EditorPaintContent &content)
{
    const EditorLayout &l = m_layout;
    for (int line = 0; line < content.grid.rowCount; ++line) {
        int top = LineTop(content.grid, l, line, content.scrollPos);
        int bottom = top + content.grid.rowHeight;
        if (bottom <= l.rowsTop || top > m_clientHeight)
            continue;
        top = std::max(top, l.rowsTop);
        bottom = std::min(bottom, m_clientHeight);
        if (top >= l.marginBottom) {
            // Below the rows area only the index and time cells would show,
            // and the bottom margin paints over them.
            break;
        }
        if (top < m_dirty.bottom && bottom > m_dirty.top)
            PaintLine(content, line, top, bottom);
    }
}

void CLedEditorPainter::PaintLine(const EditorPaintContent &content, int line, int top, int bottom)
{
    const EditorLayout &l = m_layout;
    const SequenceRow &row = content.rows[static_cast<std::size_t>(line)];
    const bool selected = content.selection.IsSelected(line);
    const PixelRect index { l.indexLeft, top, l.timeLeft, bottom };
    const PixelRect time { l.timeLeft, top, l.channelLeft, bottom };

    Fill({ l.leftEdge, top, l.scrollLeft, bottom }, FrameColour());
    if (bottom - top < MIN_TEXT_HEIGHT) {
        Fill(index, HeaderColour());
        Fill(time, HeaderColour());
    } else {
        const Rgb text = TextColour();
        DrawCell(index, QString::number(line), LINE_DX, LINE_DY, text,
            IndexCellColour(line == content.traceLine, selected), true);
        DrawCell(time, QString::fromStdString(TimeCellText(row)), LINE_DX, LINE_DY, text,
            TimeCellColour(selected), true);
    }

    if (row.isCommand)
        PaintCommandCells(row, selected, top, bottom);
    else
        PaintChannelCells(content, line, top, bottom);
    Fill({ l.channelRight, top, l.rightEdge, bottom }, FrameColour());
}

void CLedEditorPainter::PaintChannelCells(const EditorPaintContent &content, int line, int top, int bottom)
{
    const EditorLayout &l = m_layout;
    const SequenceRow &row = content.rows[static_cast<std::size_t>(line)];
    const bool selected = content.selection.IsSelected(line);
    const int width = content.grid.cellWidth;
    for (int channel = 0; channel < content.grid.channelCount; ++channel) {
        const int left = l.channelLeft + channel * width;
        Fill({ left, top, left + width, bottom },
            ChannelCellColour(IsChannelOn(row, channel), selected, line, channel));
    }
    if (line != 0 && content.groupSize > 0 && line % content.groupSize == 0)
        Fill({ l.channelLeft, top, l.channelRight, top + 1 }, BackgroundColour());
}

void CLedEditorPainter::PaintCommandCells(const SequenceRow &row, bool selected, int top, int bottom)
{
    const EditorLayout &l = m_layout;
    const Rgb text = TextColour();
    DrawCell({ l.channelLeft, top, l.paramLeft, bottom },
        QString::fromLatin1(CommandDisplayName(row.command)), LINE_DX, LINE_DY, text,
        CommandNameColour(selected), true);
    DrawCell({ l.paramLeft, top, l.channelRight, bottom },
        QString::fromStdString(CommandParameterText(row.command, row.parameter)), LINE_DX, LINE_DY, text,
        CommandParameterColour(selected), true);
}

void CLedEditorPainter::DrawCell(const PixelRect &rect, const QString &text, int dx, int dy,
    const Rgb &textColour, const Rgb &backColour, bool frame)
{
    if (IsEmpty(rect) || !Intersects(rect, m_dirty))
        return;
    Fill(rect, backColour);
    const PixelRect textRect { rect.left + dx, rect.top + dy, rect.right, rect.bottom };
    if (!text.isEmpty() && !IsEmpty(textRect)) {
        m_dc.setPen(ToQColor(textColour));
        // Without TextDontClip the text is cut at the rectangle's edges.
        m_dc.drawText(ToQRect(textRect), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
    if (frame)
        Draw3dRect(rect, LightEdgeColour(backColour), DarkEdgeColour(backColour));
}

void CLedEditorPainter::Draw3dRect(const PixelRect &rect, const Rgb &light, const Rgb &dark)
{
    // The light edges stop one pixel short, so the top-right and bottom-left
    // corners are dark.
    Fill({ rect.left, rect.top, rect.right - 1, rect.top + 1 }, light);
    Fill({ rect.left, rect.top, rect.left + 1, rect.bottom - 1 }, light);
    Fill({ rect.right - 1, rect.top, rect.right, rect.bottom }, dark);
    Fill({ rect.left, rect.bottom - 1, rect.right, rect.bottom }, dark);
}

void CLedEditorPainter::Fill(const PixelRect &rect, const Rgb &colour)
{
    if (!IsEmpty(rect) && Intersects(rect, m_dirty))
        m_dc.fillRect(ToQRect(rect), ToQColor(colour));
}
