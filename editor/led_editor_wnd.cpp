#include "editor/led_editor_wnd.h"

#include "editor/editor_accelerators.h"
#include "editor/editor_command_ids.h"
#include "editor/editor_rows.h"
#include "editor/editor_scrolling.h"
#include "editor/export_animation_dlg.h"
#include "editor/focus_frame.h"
#include "editor/generate_dlg.h"
#include "editor/led_editor_accessible.h"
#include "editor/led_editor_painter.h"
#include "editor/line_commands.h"
#include "editor/refusal_note.h"
#include "editor/save_upload_wav.h"
#include "editor/sequence_check_wnd.h"
#include "editor/step_names.h"
#include "editor/value_edit.h"
#include "editor/value_ranges.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/settings_store.h"
#include "resources/string_ids.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>
#include <optional>
#include <utility>

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
    , m_contextMenu(this)
    , m_accel(new EditorAccelerators(
          ResourceModule::LoadAccelerators(IDR_EDITOR_ACCELERATORS), [this](int id) { OnCommand(id); }, this))
    , m_refusalNote(new CRefusalNote(this))
{
    m_rows.fill(EmptyRow());
    m_contextMenu.SetTrace(m_trace != 0);
    InstallLedEditorAccessible();
    setFocusPolicy(Qt::StrongFocus);
    m_accel->Watch(this);
    m_accel->Watch(m_scrollBar);

    setWindowTitle(QStringLiteral("Pemblo!"));
    // The paint covers every pixel; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setGeometry(0, 0, 0, 0);
    // The wheel over the bar moves as far as over the grid.
    m_scrollBar->setSingleStep(m_rowHeight);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CLedEditorWnd::OnScrollBarAction);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &CLedEditorWnd::OnScrollBarValue);
}

CLedEditorWnd::~CLedEditorWnd()
{
    // Its focus loss on the way out must not reach a half-destroyed editor.
    if (m_valueEdit)
        m_valueEdit->disconnect(this);
}

void CLedEditorWnd::Configure(int channelCount, int rowCount)
{
    m_channelCount = std::clamp(channelCount, 0, MAX_CHANNEL_COLUMNS);
    m_rowCount = rowCount;
}

// Only the index cell shows the trace line, so a new one repaints the cells
// of the old and the new line; after none, what shows is not known.
void CLedEditorWnd::SetTraceLine(int row)
{
    const int previous = std::exchange(m_traceLine, row);
    if (row < 0)
        return;
    EnsureVisible(row);
    if (row == previous)
        return;
    if (previous < 0) {
        update();
        return;
    }
    const EditorLayout layout = ComputeLayout();
    for (const int line : { previous, row })
        update(layout.indexLeft, LineTop(Metrics(), layout, line, m_scrollPos),
            layout.timeLeft - layout.indexLeft, m_rowHeight);
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

void CLedEditorWnd::StartHistory(bool saved)
{
    m_history.Start(saved);
}

void CLedEditorWnd::MarkSaved()
{
    m_history.MarkSaved();
}

void CLedEditorWnd::EnsureVisible(int row)
{
    if (row < 0 || row >= MAX_ROWS)
        return;
    ScrollToLine(row);
    MakeCurrent(row);
}

void CLedEditorWnd::ScrollToLine(int row)
{
    if (ScrollToShow(Metrics(), ClientRect(), row, m_scrollPos))
        update();
}

void CLedEditorWnd::MakeCurrent(int row)
{
    m_currentLine = row;
    const bool valid = row >= 0 && row < MAX_ROWS;
    const SequenceRow &shown = m_rows[static_cast<std::size_t>(valid ? row : 0)];
    m_currentPattern = valid && !shown.isCommand ? shown.pattern : 0;
}

EditorLayout CLedEditorWnd::ComputeLayout()
{
    return ::ComputeLayout(Metrics(), ClientRect(), m_scrollPos);
}

PixelSize CLedEditorWnd::ContentSize() const
{
    return EditorContentSize(Metrics(), m_scrollPos);
}

void CLedEditorWnd::OnPaint(const QRect &dirty)
{
    const EditorLayout layout = ComputeLayout();
    UpdateScrollBar(layout);

    QPainter dc(this);
    CLedEditorPainter painter(dc, layout, width(), height());
    painter.Paint({ m_rows, m_selected, Metrics(), m_groupSize, m_traceLine, m_scrollPos },
        { dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1 });
    if (hasFocus())
        PaintFocusFrame(
            dc, CellsRect(CurrentLine(), 0, m_channelCount + 1), layout.rowsTop, layout.marginBottom);
}

void CLedEditorWnd::OnSize(int, int)
{
    CloseValueEdit(true);
    update();
}

void CLedEditorWnd::OnClose()
{
    OnDestroy();
}

void CLedEditorWnd::OnDestroy()
{
    FinishDrag();
    CloseValueEdit(true);
    m_closed = 1;
}

void CLedEditorWnd::OnVScroll(ScrollCode code, int position, QScrollBar *scrollBar)
{
    CloseValueEdit(true);
    if (scrollBar != m_scrollBar)
        return;
    const std::optional<int> scrollPos
        = ScrollPositionAfter(code, m_scrollPos, position, Metrics(), ClientRect());
    if (!scrollPos)
        return;
    m_scrollPos = *scrollPos;
    update();
}

void CLedEditorWnd::paintEvent(QPaintEvent *event)
{
    OnPaint(event->rect());
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

EditorTable CLedEditorWnd::Table()
{
    return { m_rows, m_rowCount, m_selected, m_history, m_channelCount };
}

bool CLedEditorWnd::OnCommand(int id)
{
    const int command = MenuItemCommand(id);
    switch (command) {
    case ID_MENU_TRACE: OnTrace(); return true;
    case ID_MENU_CHECK_SEQUENCE: OnCheckSequence(); return true;
    case ID_MENU_SAVE_UPLOAD_WAV: SaveUploadAsWav(this, Rows(), m_sequenceFile()); return true;
    case ID_GENERATE: OnGenerate(); return true;
    case ID_EXPORT_ANIMATION: OnExportAnimation(); return true;
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO: OnUndoRedo(command == ID_EDIT_REDO); return true;
    default: break;
    }
    const EditorHistory::Action step(m_history, [this, command](const EditorSnapshot &before) {
        return CommandStepName(command, before, m_rowCount);
    });
    if (!EditorCommands(Table(), *this).Execute(command))
        return false;
    update();
    ReportCurrentLine();
    return true;
}

void CLedEditorWnd::OnUndoRedo(bool redo)
{
    CloseValueEdit(true);
    if (redo)
        m_history.Redo();
    else
        m_history.Undo();
    update();
}

bool CLedEditorWnd::InsertRowsAsStep(const std::vector<SequenceRow> &rows, const QString &stepName)
{
    CloseValueEdit(true);
    // With nothing selected the rows go before the line the keyboard is on.
    if (m_selected.First(Metrics().rowCount) < 0 && m_currentLine >= 0 && m_currentLine < Metrics().rowCount)
        m_selected.Select(m_currentLine);
    const EditorHistory::Action step(m_history, [&stepName](const EditorSnapshot &) { return stepName; });
    const bool inserted = EditorCommands(Table(), *this).InsertBeforeSelection(rows);
    update();
    return inserted;
}

EditorSnapshot CLedEditorWnd::CaptureState()
{
    return TakeSnapshot(Table(), m_currentLine);
}

void CLedEditorWnd::RestoreStep(EditorStep &step)
{
    EditorTable table = Table();
    step.Exchange(table, m_currentLine);
    const int changed = std::min(step.FirstChangedSlot(), Metrics().rowCount - 1);
    if (changed >= 0)
        ScrollToLine(changed);
    MakeCurrent(m_currentLine);
    update();
}

void CLedEditorWnd::SetModified(bool modified)
{
    m_modified = modified ? 1 : 0;
}

void CLedEditorWnd::OnTrace()
{
    m_trace = m_trace ? 0 : 1;
    m_contextMenu.SetTrace(m_trace != 0);
}

void CLedEditorWnd::OnCheckSequence()
{
    if (!m_checkWnd) {
        m_checkWnd = new CSequenceCheckWnd(this, [this](int row) { ShowFindingRow(row); });
        PlaceBeside(*m_checkWnd);
        connect(m_checkWnd, &CSequenceCheckWnd::closed, this, [this] { activateWindow(); });
    }
    ShowFindings();
    m_checkWnd->show();
    m_checkWnd->raise();
}

void CLedEditorWnd::ShowFindings()
{
    m_checkWnd->ShowFindings(CheckSequence(Rows(), LocalFindingTexts()));
}

// An open check window follows the rows: a check takes some 100 µs.
void CLedEditorWnd::RowsChanged()
{
    ReportRowCount();
    if (m_checkWnd && m_checkWnd->isVisible())
        ShowFindings();
}

void CLedEditorWnd::ShowFindingRow(int row)
{
    // The rows may have changed since the check.
    if (row >= Metrics().rowCount)
        return;
    CloseValueEdit(true);
    SelectRange(row, row);
    EnsureVisible(row);
}

void CLedEditorWnd::PlaceBeside(QWidget &window) const
{
    QRect place(frameGeometry().topRight() + QPoint(1, 0), window.size());
    const QRect screenArea = screen()->availableGeometry();
    place.moveRight(std::min(place.right(), screenArea.right()));
    window.move(place.topLeft());
}

namespace
{

// Shows a window of the editor's, made and placed beside it when it is not
// open.
template <typename Dialog, typename Make>
void ShowEditorDialog(CLedEditorWnd &editor, QPointer<Dialog> &dialog, Make make)
{
    if (!dialog) {
        dialog = make();
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->adjustSize();
        editor.PlaceBeside(*dialog);
        // Closed, it gives the keyboard back to the lines it worked on.
        QObject::connect(dialog, &QDialog::finished, &editor, [&editor] { editor.activateWindow(); });
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

void CLedEditorWnd::OnGenerate()
{
    CloseValueEdit(true);
    ShowEditorDialog(*this, m_generateDlg, [this] {
        return new CGenerateDlg(
            this, [this] { return MAX_ROWS - Metrics().rowCount; },
            [this](const std::vector<SequenceRow> &rows, const QString &stepName) {
                const bool inserted = InsertRowsAsStep(rows, stepName);
                // Back to the lines, where Ctrl+Z takes the insertion back.
                if (inserted)
                    activateWindow();
                return inserted;
            });
    });
}

bool CLedEditorWnd::QueryStopExportToQuit()
{
    if (m_exportDlg && m_exportDlg->IsExporting()) {
        if (!AskQuestion({ m_exportDlg, ResourceModule::LoadString(IDS_EXPORT_STOP_AND_QUIT),
                QApplication::applicationDisplayName(), {}, {}, false }))
            return false;
        m_exportDlg->CancelExport();
    }
    return true;
}

void CLedEditorWnd::OnExportAnimation()
{
    CloseValueEdit(true);
    const QString device = SettingsStore::GetProfileString(QString::fromLatin1(SettingsStore::SECTION),
        QString::fromLatin1(SettingsStore::KEY_DEVICE), QString::fromLatin1(SettingsStore::DEFAULT_DEVICE));
    ShowEditorDialog(*this, m_exportDlg, [this, device] {
        return new CExportAnimationDlg(
            this, [this] { return Rows(); }, device, m_sequenceFile);
    });
}

bool CLedEditorWnd::IsValueEditOpen() const
{
    return m_valueEdit != nullptr;
}

void CLedEditorWnd::OpenValueEdit(int line, bool time)
{
    CloseValueEdit(true);
    if (line < 0 || line >= Metrics().rowCount)
        return;
    m_editTime = time;
    EnsureVisible(line);
    const EditorLayout layout = ComputeLayout();
    const int top = LineTop(Metrics(), layout, line, m_scrollPos);
    const int left = time ? layout.timeLeft : layout.paramLeft;
    const int right = time ? layout.channelLeft : layout.channelRight;

    m_valueEdit = new CValueEdit(this);
    m_valueEdit->setGeometry(left, top, right - left, m_rowHeight);
    const SequenceRow &row = m_rows[static_cast<std::size_t>(line)];
    m_valueEdit->setText(QString::number(time ? row.time : row.parameter));
    m_valueEdit->setAccessibleName(
        ResourceModule::LoadString(time ? IDS_ACCESS_TIME_COLUMN : IDS_ACCESS_PARAMETER));
    m_accel->Watch(m_valueEdit);
    connect(m_valueEdit, &CValueEdit::focusLost, this, [this] { OnCommand(ID_APPLY_VALUE); });
    m_valueEdit->selectAll();
    m_valueEdit->show();
    m_valueEdit->setFocus();
}

void CLedEditorWnd::CloseValueEdit(bool apply)
{
    if (!m_valueEdit)
        return;
    // Closing moves the focus away from the edit; that must not apply the
    // value a second time.
    CValueEdit *edit = std::exchange(m_valueEdit, nullptr);
    edit->disconnect(this);
    if (apply) {
        const std::string text = edit->text().toLatin1().toStdString();
        const EditorHistory::Action step(
            m_history, [time = m_editTime, value = ParseValueText(text)](const EditorSnapshot &) {
                return ValueStepName(time, value);
            });
        if (const std::optional<EditRefusal> refusal = LineCommands(Table()).ApplyValue(text, m_editTime))
            Refused(*refusal);
    }
    const bool hadFocus = edit->hasFocus();
    edit->hide();
    // It may be closing from within its own focus handler.
    edit->deleteLater();
    if (hadFocus)
        setFocus();
    update();
}

void CLedEditorWnd::SetClipboardText(const std::string &text)
{
    QApplication::clipboard()->setText(QString::fromLatin1(text.data(), qsizetype(text.size())));
}

std::optional<std::string> CLedEditorWnd::ClipboardText()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    // As 8-bit text: a character beyond Latin-1 becomes "?" and spoils the
    // text, as it would have in the device's own character set.
    return data->text().toLatin1().toStdString();
}

void CLedEditorWnd::Refused(const EditRefusal &refusal)
{
    const EditorLayout layout = ComputeLayout();
    const int top = LineTop(Metrics(), layout, refusal.line, m_scrollPos);
    m_refusalNote->ShowAt(RefusalText(refusal), mapToGlobal(QPoint(layout.rightEdge, top)));
}
