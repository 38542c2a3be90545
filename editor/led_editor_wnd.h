#pragma once

#include "core/constants.h"
#include "document/led_editor_link.h"
#include "editor/editor_commands.h"
#include "editor/editor_context_menu.h"
#include "editor/editor_drag.h"
#include "editor/editor_history.h"
#include "editor/editor_hit_test.h"
#include "editor/editor_layout.h"
#include "editor/editor_selection.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class CExportAnimationDlg;
class CGenerateDlg;
class CRefusalNote;
class CSequenceCheckWnd;
class CValueEdit;
class EditorAccelerators;
class QScrollBar;
class LedEditorWndTest;
enum class LineKey;
enum class ScrollCode;

// The LED Editor: a tool window that shows the editor's copy of the rows as a
// grid of lines with index, time and channel cells, or a command's name and
// parameter. The document is its only owner (through LedEditorLink) and may
// delete it at any time; closing the window only hides it and sets m_closed,
// and the document deletes the object on its next tick. The window is
// therefore made without a parent widget; OpenLedEditor makes it stay above
// the main window.
//
// The left button switches channels on and the right button off, dragging
// across cells, with Shift locked to one line or one channel column; the
// index and time columns select lines and open the context menu. Keys and
// menu items run the commands of EditorCommands. Every action that changes
// rows is a step of the undo history (Ctrl+Z, Ctrl+Y).
class CLedEditorWnd : public QWidget, public LedEditorLink, private EditorHost, private EditorHistoryHost
{
    Q_OBJECT

public:
    CLedEditorWnd();
    ~CLedEditorWnd() override;

    void Configure(int channelCount, int rowCount);

    void SetTraceLine(int row) override;
    std::uint32_t GetCurrentPattern() const override;
    void EnableWindow(bool enable) override;
    void StartHistory(bool saved) override;
    void MarkSaved() override;
    bool QueryStopExportToQuit() override;

    // Scrolls line `row` into view and makes its pattern the current one.
    void EnsureVisible(int row) override;
    EditorLayout ComputeLayout();
    // The client size that shows the whole table.
    PixelSize ContentSize() const;

    // Runs a command of the accelerator table or the context menu; false
    // for an id that is neither.
    bool OnCommand(int id);
    // Places a window of the editor's beside it, where it hides no line, as
    // far as the screen allows.
    void PlaceBeside(QWidget &window) const;

    // The in-place edit of a line's time or (time false) its parameter.
    void OpenValueEdit(int line, bool time) override;
    void CloseValueEdit(bool apply) override;

    // Where the sequence's file is, asked whenever something made of it is
    // saved; an empty path for a sequence not saved yet.
    using SequenceFile = std::function<QString()>;
    void SetSequenceFile(SequenceFile file) { m_sequenceFile = std::move(file); }

    // Inserts rows before the first selected line exactly as a paste does,
    // as one step of the undo history under this name: the first of them is
    // then the only selected line. False when no line is selected or they do
    // not fit; then no row changed.
    bool InsertRowsAsStep(const std::vector<SequenceRow> &rows, const QString &stepName);

    // The line the keyboard is on: the one Up or Down last moved to while it
    // is selected, else the first selected line; -1 with none selected.
    int CurrentLine() const;
    int ChannelCount() const { return m_channelCount; }
    bool IsLineSelected(int line) const { return m_selected.IsSelected(line); }
    // A line's cells from the left of column `first` to the right of column
    // `last` (0 the index, 1 the time, 2.. the channels), in client pixels.
    QRect CellsRect(int line, int first, int last);

protected:
    // Paints what lies in dirty, which is all that changed.
    void OnPaint(const QRect &dirty);
    void OnSize(int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnVScroll(ScrollCode code, int position, QScrollBar *scrollBar);
    void OnLButtonDown(Qt::KeyboardModifiers flags, PixelPoint point);
    void OnLButtonDblClk(Qt::KeyboardModifiers flags, PixelPoint point);
    void OnRButtonDown(Qt::KeyboardModifiers flags, PixelPoint point);
    void OnMouseMove(Qt::KeyboardModifiers flags, PixelPoint point);
    void OnButtonUp();
    void OnTrace();
    // Shows the sequence checker's findings for the rows as they are now.
    void OnCheckSequence();
    void ShowFindings();
    // Selects a line a finding names and brings it into view.
    void ShowFindingRow(int row);
    void OnGenerate();
    void OnExportAnimation();
    // Undo, or with redo, Redo; a typed value is applied first, as a step
    // of its own.
    void OnUndoRedo(bool redo);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class LedEditorWndTest;

    GridMetrics Metrics() const;
    PixelRect ClientRect() const;
    EditorTable Table();

    // The channel cell of a pattern line or, in parameter mode, a command
    // line's parameter cell at the point.
    std::optional<GridCell> ChannelCellAt(PixelPoint point, bool paramMode);
    // Sets or clears the channel cell of a pattern line at the point and
    // brings its line into view; the line, or -1.
    int PaintCellAt(PixelPoint point, bool set);
    // Sets or clears the channel cells of pattern lines between two points.
    void PaintAlong(PixelPoint from, PixelPoint to, bool set);
    void PaintCell(GridCell cell, bool set);
    // Opens the value edit on the parameter of the command line at the
    // point; false when no parameter cell is there.
    bool OpenParameterEditAt(PixelPoint point);
    // The line whose time cell (timeColumn) or index cell is at the point,
    // or -1.
    int HitRowColumn(int x, int y, bool timeColumn);
    // The line whose time or else index cell is at the point, or -1.
    int LineHit(int x, int y);
    void SelectOnly(int line);
    void SelectRange(int a, int b);
    // A paint drag from a channel cell is one step of the undo history, from
    // press to release; false when the point is on no pattern line's cell.
    bool BeginPaintDrag(bool set, PixelPoint point);
    void FinishDrag();
    void ScrollToLine(int row);
    // The line whose pattern the device picture shows while stopped.
    void MakeCurrent(int row);
    void ShowContextMenu(int line, PixelPoint point);
    void ShowContextMenuAtCurrentLine();
    void OnLineKey(LineKey key, bool extend);
    // Tells a screen reader where the current line went and how many rows
    // there are, when that changed.
    void ReportCurrentLine();
    void ReportRowCount();

    bool IsValueEditOpen() const override;
    void SetClipboardText(const std::string &text) override;
    std::optional<std::string> ClipboardText() override;
    // Shows why in a note beside the line.
    void Refused(const EditRefusal &refusal) override;

    EditorSnapshot CaptureState() override;
    void RestoreStep(EditorStep &step) override;
    void SetModified(bool modified) override;
    void RowsChanged() override;

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
    EditorDrag m_drag;
    // A paint drag's step of the undo history is open.
    bool m_dragStep = false;
    EditorContextMenu m_contextMenu;
    std::uint32_t m_currentPattern = 0;
    int m_currentLine = -1;
    CValueEdit *m_valueEdit = nullptr;
    bool m_editTime = false;
    EditorAccelerators *m_accel;
    // Made when first asked for; a child window, so it goes with the editor.
    CSequenceCheckWnd *m_checkWnd = nullptr;
    // Wheel turns not yet a whole line's worth.
    int m_wheelRemainder = 0;
    // The editor's own windows, while open; they go with it.
    QPointer<CGenerateDlg> m_generateDlg;
    QPointer<CExportAnimationDlg> m_exportDlg;
    CRefusalNote *m_refusalNote;
    SequenceFile m_sequenceFile = [] { return QString(); };
    EditorHistory m_history { *this };
    // What a screen reader was last told.
    int m_reportedLine = -1;
    int m_reportedRowCount = 0;
};
