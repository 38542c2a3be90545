#pragma once

#include "core/row_table.h"
#include "editor/editor_colours.h"
#include "editor/editor_layout.h"
#include "editor/editor_selection.h"

class QPainter;
class QString;

// What the editor shows: its rows, selection and executing line, at a
// scroll position.
struct EditorPaintContent {
    const RowTable::Records &rows;
    const EditorSelection &selection;
    GridMetrics grid;
    int groupSize;
    int traceLine;
    int scrollPos;
};

// Paints the whole client area of the LED Editor except the scroll bar's
// column beside the lines, which the scroll bar covers. Every pixel is
// painted, so the window needs no background erase.
class CLedEditorPainter
{
public:
    CLedEditorPainter(QPainter &dc, const EditorLayout &layout, int clientWidth, int clientHeight);

    // Paints what lies in dirty; the rest of the client area stays.
    void Paint(const EditorPaintContent &content, const PixelRect &dirty);

    // A cell filled with backColour and text placed at (dx, dy) from its
    // top-left corner, cut off at its edges; with frame, a 3-D frame of a
    // lighter top-left and a darker bottom-right shade of backColour. Nothing
    // for a cell outside what is being painted.
    void DrawCell(const PixelRect &rect, const QString &text, int dx, int dy, const Rgb &textColour,
        const Rgb &backColour, bool frame);

private:
    void Fill(const PixelRect &rect, const Rgb &colour);
    void PaintTitleAndHeader(const GridMetrics &grid);
    void PaintLines(const EditorPaintContent &content);
    void PaintLine(const EditorPaintContent &content, int line, int top, int bottom);
    void PaintChannelCells(const EditorPaintContent &content, int line, int top, int bottom);
    void PaintCommandCells(const SequenceRow &row, bool selected, int top, int bottom);
    void Draw3dRect(const PixelRect &rect, const Rgb &light, const Rgb &dark);

    QPainter &m_dc;
    const EditorLayout &m_layout;
    int m_clientWidth;
    int m_clientHeight;
    PixelRect m_dirty {};
};
