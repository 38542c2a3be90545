#pragma once

#include "core/constants.h"
#include "document/led_editor_link.h"
#include "editor/editor_layout.h"
#include "editor/editor_selection.h"

#include <QWidget>

#include <cstdint>

class QScrollBar;
class LedEditorWndTest;
enum class ScrollCode;

// The LED Editor: a tool window that shows the editor's copy of the rows as a
// grid of lines with index, time and channel cells, or a command's name and
// parameter. The document is its only owner (through LedEditorLink) and may
// delete it at any time; closing the window only hides it and sets m_closed,
// and the document deletes the object on its next tick. The window is
// therefore made without a parent widget; OpenLedEditor makes it stay above
// the main window.
class CLedEditorWnd : public QWidget, public LedEditorLink
{
    Q_OBJECT

public:
    CLedEditorWnd();
    ~CLedEditorWnd() override;

    void Configure(int channelCount, int rowCount);

    void SetTraceLine(int row) override;
    std::uint32_t GetCurrentPattern() const override;
    void EnableWindow(bool enable) override;

    // Scrolls line `row` into view and makes its pattern the current one.
    void EnsureVisible(int row);
    EditorLayout ComputeLayout();
    // The client size that shows the whole table.
    PixelSize ContentSize() const;

protected:
    void OnPaint();
    void OnSize(int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnVScroll(ScrollCode code, int position, QScrollBar *scrollBar);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    friend class LedEditorWndTest;

    GridMetrics Metrics() const;
    PixelRect ClientRect() const;
    void UpdateScrollBar(const EditorLayout &layout);
    void OnScrollBarAction(int action);
    void OnScrollBarValue(int value);

    int m_channelCount = 4; // until Configure gives the device's count
    int m_rowHeight = EDITOR_ROW_HEIGHT;
    int m_cellWidth = EDITOR_CELL_WIDTH;
    int m_groupSize = EDITOR_GROUP_SIZE;
    EditorSelection m_selected;
    int m_traceLine = -1;
    QScrollBar *m_scrollBar;
    int m_scrollPos = 0;
    std::uint32_t m_currentPattern = 0;
};
