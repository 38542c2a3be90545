#include "display/brelvim_view.h"

#include "display/led_painter.h"
#include "display/led_tables.h"
#include "display/upload_check.h"
#include "display/upload_progress_dlg.h"
#include "document/brelvim_doc.h"
#include "document/simulation_clock.h"
#include "editor/led_editor_wnd.h"
#include "editor/open_led_editor.h"
#include "platform/command_table.h"
#include "platform/message_box.h"
#include "platform/millisecond_clock.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "upload/upload_command.h"

#include <QApplication>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace
{

constexpr int SIMULATION_TIMER = 0;

constexpr char DEPTH_MESSAGE[] = "This program only works with display settings of 16, 24, or 32 bit colors";
constexpr char DEPTH_TITLE[] = "Error";

// Covers any client area before the device picture is built.
constexpr int BLACKOUT_SIZE = 100000;

bool IsSupportedDepth(std::int32_t depth)
{
    return depth == 16 || depth == 24 || depth == 32;
}

// The offset that centres a picture of size picture in client, or 0 where
// the client is not larger.
int CentringOffset(int client, int picture)
{
    const int difference = client - picture;
    return difference > 0 ? difference / 2 : 0;
}

QRect ScreenBounds(int led, QPoint origin)
{
    const PictureRect &bounds
        = LED_BOUNDS[static_cast<std::size_t>(LED_ORDER[static_cast<std::size_t>(led)])];
    return QRect(bounds.left + origin.x(), bounds.top + origin.y(), bounds.Width(), bounds.Height());
}

} // namespace

CBrelvimView::CBrelvimView(
    CBrelvimDoc &document, QByteArray devicePicture, DisplayFormatSource readDisplayFormat, QWidget *parent)
    : CView(parent)
    , m_devicePicture(std::move(devicePicture))
    , m_readDisplayFormat(std::move(readDisplayFormat))
{
    m_lastStep.fill(-1);
    // The paint covers every pixel; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    document.AddView(this);
}

CBrelvimView::~CBrelvimView() = default;

// The view is only ever added to the document it was made for.
CBrelvimDoc *CBrelvimView::GetDocument() const
{
    return static_cast<CBrelvimDoc *>(CView::GetDocument());
}

void CBrelvimView::RegisterCommands(CommandTable &commands)
{
    m_commands = &commands;
    commands.OnUpdateCommandUI(ID_OPEN_EDITOR, [this](CCmdUI &ui) { OnUpdateOpenEditor(ui); });
    commands.OnCommand(ID_OPEN_EDITOR, [this] { OnOpenEditor(); });
    commands.OnUpdateCommandUI(ID_UPLOAD, [this](CCmdUI &ui) { OnUpdateUpload(ui); });
    commands.OnCommand(ID_UPLOAD, [this] { OnUpload(); });
}

void CBrelvimView::OnUpdateOpenEditor(CCmdUI &ui) const
{
    const CBrelvimDoc *document = GetDocument();
    ui.Enable(document && !document->HasEditor());
}

void CBrelvimView::OnOpenEditor()
{
    CBrelvimDoc *document = GetDocument();
    if (!document)
        return;
    if (document->m_rows.GetCount() == 0)
        document->m_rows.LoadDefault();
    document->DeleteEditor();
    document->SetEditor(OpenLedEditor(this, document->m_rows.GetCount()));
    document->CopyRowsToEditor();
    if (m_commands)
        m_commands->ScheduleUpdate();
}

bool CBrelvimView::IsDisplaySupported() const
{
    return IsSupportedDepth(m_depth);
}

// The base's initial update is not called: no update follows.
void CBrelvimView::OnInitialUpdate()
{
    const DisplayFormat display = m_readDisplayFormat();
    m_depth = display.depth;
    m_format16 = m_depth == 16 ? display.format16 : 0;
    if (IsDisplaySupported())
        return;
    ShowMessageBox(
        this, QString::fromLatin1(DEPTH_MESSAGE), QString::fromLatin1(DEPTH_TITLE), QMessageBox::Warning);
    if (CBrelvimDoc *document = GetDocument())
        document->OnCloseDocument();
}

void CBrelvimView::OnDraw(QPainter &painter)
{
    if (m_buildPending) {
        painter.fillRect(0, 0, BLACKOUT_SIZE, BLACKOUT_SIZE, Qt::black);
        BuildDevicePicture();
        m_buildPending = false;
    }
    const QPoint origin = PictureOrigin();
    if (m_bitmaps.IsBuilt()) {
        painter.drawPixmap(origin, m_bitmaps.Background());
        PaintMargins(painter, origin);
    } else {
        painter.fillRect(rect(), m_marginColour);
    }
    SetTimer(SIMULATION_TIMER, SIMULATION_TIMER_MS);
    // Painting and building are not caught up: the clock resumes now.
    m_simTime = timeGetTime();
    PaintLeds(painter, TakeChangedSteps(true));
    m_pendingLeds = 0;
}

void CBrelvimView::BuildDevicePicture()
{
    m_bitmaps.Build(m_devicePicture, { m_depth, m_format16 });
    m_devicePicture.clear();
}

// Left and top strips are half the difference wide; the right and bottom
// ones one pixel more, which covers an odd difference.
void CBrelvimView::PaintMargins(QPainter &painter, QPoint origin)
{
    const int dx = width() - DEVICE_PICTURE_SIZE;
    const int dy = height() - DEVICE_PICTURE_SIZE;
    if (dx > 0) {
        painter.fillRect(0, 0, dx / 2, height(), m_marginColour);
        painter.fillRect(origin.x() + DEVICE_PICTURE_SIZE, 0, dx / 2 + 1, height(), m_marginColour);
    }
    if (dy > 0) {
        painter.fillRect(0, 0, width(), dy / 2, m_marginColour);
        painter.fillRect(0, origin.y() + DEVICE_PICTURE_SIZE, width(), dy / 2 + 1, m_marginColour);
    }
}

QPoint CBrelvimView::PictureOrigin() const
{
    return QPoint(
        CentringOffset(width(), DEVICE_PICTURE_SIZE), CentringOffset(height(), DEVICE_PICTURE_SIZE));
}

CBrelvimView::LedMask CBrelvimView::TakeChangedSteps(bool force)
{
    const CBrelvimDoc *document = GetDocument();
    if (!document)
        return 0;
    LedMask changed = 0;
    for (int k = 0; k < LED_COUNT; ++k) {
        const auto step
            = static_cast<std::int8_t>(BrightnessStep(document->m_ledLevels[static_cast<std::size_t>(k)]));
        std::int8_t &last = m_lastStep[static_cast<std::size_t>(k)];
        if (!force && step == last)
            continue;
        last = step;
        changed |= static_cast<LedMask>(1U << k);
    }
    return changed;
}

void CBrelvimView::PaintLeds(QPainter &painter, LedMask leds)
{
    const QPoint origin = PictureOrigin();
    for (int k = 0; k < LED_COUNT; ++k)
        if (leds & (1U << k))
            PaintLed(
                painter, origin, m_bitmaps, k, m_lastStep[static_cast<std::size_t>(k)] * LED_LEVELS_PER_STEP);
}

// Hint 0 repaints the LEDs whose step changed; hint 1 also opens a new LED
// Editor.
void CBrelvimView::OnUpdate(CView *, int hint)
{
    const LedMask changed = TakeChangedSteps(false);
    m_pendingLeds |= changed;
    ShowLeds(changed);
    if (hint == HINT_OPEN_EDITOR)
        OnOpenEditor();
}

void CBrelvimView::ShowLeds(LedMask leds)
{
    const QPoint origin = PictureOrigin();
    for (int k = 0; k < LED_COUNT; ++k)
        if (leds & (1U << k))
            update(ScreenBounds(k, origin));
}

void CBrelvimView::OnTimer(int)
{
    CBrelvimDoc *document = GetDocument();
    if (!document)
        return;
    m_simTime = CatchUpSimulation(timeGetTime(), m_simTime, m_inputSwitch ? 1 : 0,
        [document](int input, bool updateViews) { document->Tick(input, updateViews); });
    if (m_commands)
        m_commands->UpdateCommandUI();
}

void CBrelvimView::OnLButtonDown(Qt::KeyboardModifiers, QPoint)
{
    m_inputSwitch = true;
}

void CBrelvimView::OnLButtonUp(Qt::KeyboardModifiers, QPoint)
{
    m_inputSwitch = false;
}

void CBrelvimView::RenderCanvas()
{
    if (m_canvas.size() != size())
        m_canvas = QPixmap(size());
    QPainter painter(&m_canvas);
    OnDraw(painter);
    m_canvasStale = false;
}

void CBrelvimView::PaintPendingLeds()
{
    QPainter painter(&m_canvas);
    PaintLeds(painter, m_pendingLeds);
    m_pendingLeds = 0;
}

void CBrelvimView::OnUpdateUpload(CCmdUI &ui) const
{
    const CBrelvimDoc *document = GetDocument();
    ui.Enable(document && CanUpload(m_sending, document->m_running, document->m_rows.GetCount()));
}

void CBrelvimView::OnUpload()
{
    CBrelvimDoc *document = GetDocument();
    if (!document)
        return;
    document->CopyRowsFromEditor();
    if (!ConfirmUploadOfRows(this, document->m_rows))
        return;
    const bool started
        = StartUpload(document->m_rows, m_sending, [this](int blockCount, const std::uint8_t *image) {
              return m_transmitter.Transmit(this, static_cast<std::uint8_t>(blockCount), image);
          });
    if (!started)
        ShowUploadFailure();
    else
        ShowUploadProgress();
    if (m_commands)
        m_commands->ScheduleUpdate();
}

void CBrelvimView::ShowUploadProgress()
{
    m_uploadProgress = std::make_unique<CUploadProgressDlg>(
        [this] { return m_transmitter.PlayedMs(); }, m_transmitter.DurationMs(), this);
    connect(m_uploadProgress.get(), &CUploadProgressDlg::stopPressed, this, &CBrelvimView::OnStopUpload);
    m_uploadProgress->show();
}

// The sound output says why in English; the string table has the reason in
// the user's language.
void CBrelvimView::ShowUploadFailure()
{
    const QString reason = ResourceModule::LoadStringWithEnglishText(
        m_transmitter.ErrorText(), IDS_UPLOAD_REASON_FIRST, IDS_UPLOAD_REASON_LAST);
    ShowMessageBox(this, ResourceModule::LoadString(IDS_UPLOAD_CANNOT_START).arg(reason),
        ResourceModule::LoadString(IDS_UPLOAD_ERROR_TITLE), QMessageBox::Warning);
}

void CBrelvimView::OnTransmitDone()
{
    FinishUpload(m_sending, [this] { m_transmitter.Release(); });
    m_uploadProgress.reset();
    if (m_commands)
        m_commands->ScheduleUpdate();
}

void CBrelvimView::OnStopUpload()
{
    m_transmitter.Stop();
}

bool CBrelvimView::QueryStopUploadToQuit()
{
    if (!m_sending)
        return true;
    if (!AskQuestion({ this, ResourceModule::LoadString(IDS_UPLOAD_STOP_AND_QUIT),
            QApplication::applicationDisplayName(), {}, {}, false }))
        return false;
    OnStopUpload();
    return true;
}

bool CBrelvimView::event(QEvent *event)
{
    if (event->type() == TransmitDoneEvent::EventType()) {
        OnTransmitDone();
        return true;
    }
    return CView::event(event);
}

void CBrelvimView::paintEvent(QPaintEvent *event)
{
    if (size().isEmpty())
        return;
    if (m_canvasStale)
        RenderCanvas();
    else if (m_pendingLeds)
        PaintPendingLeds();
    QPainter painter(this);
    for (const QRect &area : event->region())
        painter.drawPixmap(area.topLeft(), m_canvas, area);
}

void CBrelvimView::resizeEvent(QResizeEvent *event)
{
    m_canvasStale = true;
    CView::resizeEvent(event);
}

void CBrelvimView::showEvent(QShowEvent *event)
{
    m_canvasStale = true;
    CView::showEvent(event);
}

void CBrelvimView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->modifiers(), event->position().toPoint());
    event->accept();
}

void CBrelvimView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(event->modifiers(), event->position().toPoint());
    event->accept();
}
