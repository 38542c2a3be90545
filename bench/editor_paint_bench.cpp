// How long the LED Editor takes to paint itself, which it does on every
// simulation tick while it traces the executing line.

#include "editor/led_editor_wnd.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace
{

// A full table in a window of 9/10 of a 1080-pixel screen: mixed pattern and
// command rows, a few selected.
void FillTable(CLedEditorWnd &editor)
{
    editor.Configure(CHANNEL_COUNT, MAX_ROWS);
    for (int i = 0; i < MAX_ROWS; ++i) {
        const bool command = i % 5 == 0;
        editor.m_rows[static_cast<std::size_t>(i)] = { static_cast<std::uint8_t>(command),
            static_cast<std::uint32_t>(i * 37), static_cast<std::uint16_t>(i + 1),
            static_cast<std::uint8_t>(command ? 'E' : 0), static_cast<std::uint16_t>(i * 11) };
    }
    editor.resize(232, 972);
}

void BM_EditorTracePaint(benchmark::State &state)
{
    CLedEditorWnd editor;
    FillTable(editor);
    QImage canvas(editor.size(), QImage::Format_RGB32);
    int line = 0;
    for (auto _ : state) {
        editor.SetTraceLine(line);
        line = (line + 1) % MAX_ROWS;
        QPainter painter(&canvas);
        editor.render(&painter);
    }
}
BENCHMARK(BM_EditorTracePaint)->Unit(benchmark::kMicrosecond);

// What a tick that moves the trace line costs: the index cells of the old
// and the new line.
void BM_EditorTraceStep(benchmark::State &state)
{
    CLedEditorWnd editor;
    FillTable(editor);
    QImage canvas(editor.size(), QImage::Format_RGB32);
    const EditorLayout layout = editor.ComputeLayout();
    const GridMetrics grid { MAX_ROWS, EDITOR_ROW_HEIGHT, EDITOR_CELL_WIDTH, CHANNEL_COUNT };
    const auto indexCell = [&](int line) {
        return QRect(layout.indexLeft, LineTop(grid, layout, line, 0), layout.timeLeft - layout.indexLeft,
            EDITOR_ROW_HEIGHT);
    };
    // Lines that are all in view, so that nothing scrolls.
    constexpr int LINES_IN_VIEW = 40;
    int line = 0;
    for (auto _ : state) {
        const int next = (line + 1) % LINES_IN_VIEW;
        editor.SetTraceLine(next);
        QPainter painter(&canvas);
        editor.render(&painter, QPoint(), QRegion(indexCell(line)) + indexCell(next));
        line = next;
    }
}
BENCHMARK(BM_EditorTraceStep)->Unit(benchmark::kMicrosecond);

} // namespace
