#include "display/brelvim_view.h"

#include "display/led_painter.h"
#include "display/led_tables.h"
#include "document/brelvim_doc.h"
#include "document/simulation_clock.h"
#include "editor/led_editor_wnd.h"
#include "editor/open_led_editor.h"
#include "platform/command_table.h"
#include "platform/message_box.h"
#include "platform/millisecond_clock.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "uploader/upload_controller.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <numeric>
#include <utility>

namespace
{

constexpr int SIMULATION_TIMER = 0;

constexpr char DEPTH_MESSAGE[] = "This program only works with display settings of 16, 24, or 32 bit colors";
constexpr char DEPTH_TITLE[] = "Error";

// Covers any client area before the device picture is built.
constexpr int BLACKOUT_SIZE = 100000;

constexpr std::uint16_t ALL_LEDS = (1U << LED_COUNT) - 1;

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

QRect ToQRect(const PictureRect &rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace

CBrelvimView::CBrelvimView(
    CBrelvimDoc &document, QByteArray devicePicture, DisplayFormatSource readDisplayFormat, QWidget *parent)
    : CView(parent)
    , m_devicePicture(std::move(devicePicture))
    , m_readDisplayFormat(std::move(readDisplayFormat))
    , m_upload(new CUploadController(this))
{
    m_lastStep.fill(-1);
    m_shownStep.fill(-1);
    std::iota(m_paintOrder.begin(), m_paintOrder.end(), 0);
    // The paint covers every pixel; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    document.AddView(this);
    connect(m_upload, &CUploadController::sendingChanged, this, &CBrelvimView::ScheduleCommandUpdate);
    connect(m_upload, &CUploadController::uploadAgainPressed, this, [this] {
        if (m_commands)
            m_commands->Execute(ID_UPLOAD);
    });
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
    std::unique_ptr<CLedEditorWnd> editor = OpenLedEditor(this, document->m_rows.GetCount());
    // The document owns the editor, so it is there whenever the editor asks.
    editor->SetSequenceFile([document] { return document->GetPathName(); });
    document->SetEditor(std::move(editor));
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
    m_shownStep = m_lastStep;
}

void CBrelvimView::BuildDevicePicture()
{
    const bool built
        = m_bitmaps.BuildBackground(std::exchange(m_devicePicture, QByteArray()), { m_depth, m_format16 });
    // Nothing needs the steps for the first picture when every LED is
    // dark; it shows without waiting for them.
    if (built)
        QTimer::singleShot(0, this, &CBrelvimView::BuildSteps);
}

void CBrelvimView::BuildSteps()
{
    m_bitmaps.BuildSteps();
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
    BuildStepsFor(leds);
    const QPoint origin = PictureOrigin();
    for (int k = 0; k < LED_COUNT; ++k) {
        if (leds & (1U << k)) {
            PaintLed(painter, origin, m_bitmaps, k, LastLevel(k), rect());
            PaintOnTop(k);
        }
    }
}

void CBrelvimView::BuildStepsFor(LedMask leds)
{
    for (int k = 0; k < LED_COUNT; ++k)
        if ((leds & (1U << k)) && m_lastStep[static_cast<std::size_t>(k)] > 0)
            BuildSteps();
}

int CBrelvimView::LastLevel(int led) const
{
    return m_lastStep[static_cast<std::size_t>(led)] * LED_LEVELS_PER_STEP;
}

void CBrelvimView::PaintOnTop(int led)
{
    std::rotate(
        std::find(m_paintOrder.begin(), m_paintOrder.end(), led), m_paintOrder.end() - 1, m_paintOrder.end());
}

void CBrelvimView::PaintRegion(QPainter &painter, const QRegion &region)
{
    const QPoint origin = PictureOrigin();
    if (!m_bitmaps.IsBuilt()) {
        painter.fillRect(rect(), m_marginColour);
        return;
    }
    PaintMargins(painter, origin);
    // The LEDs cover their areas; the background shows elsewhere.
    static const QRegion LED_AREAS = [] {
        QRegion areas;
        for (const LedShapeArea &area : LedShapeAreas())
            areas += ToQRect(area.rect);
        return areas;
    }();
    const QRegion background = region.intersected(QRect(origin, m_bitmaps.Background().size()))
                                   .subtracted(LED_AREAS.translated(origin));
    for (const QRect &area : background) {
        painter.setClipRect(area);
        painter.drawPixmap(area.topLeft(), m_bitmaps.Background(), area.translated(-origin));
    }
    painter.setClipping(false);
    BuildStepsFor(ALL_LEDS);
    for (const int k : m_paintOrder)
        PaintLed(painter, origin, m_bitmaps, k, LastLevel(k), region);
}

// Hint 0 repaints the LEDs whose step changed; hint 1 also opens a new LED
// Editor.
void CBrelvimView::OnUpdate(CView *, int hint)
{
    const LedMask changed = TakeChangedSteps(false);
    for (int k = 0; k < LED_COUNT; ++k)
        if (changed & (1U << k))
            PaintOnTop(k);
    m_unshownLeds |= changed;
    if (!m_catchingUp)
        ShowLeds(std::exchange(m_unshownLeds, 0));
    if (hint == HINT_OPEN_EDITOR)
        OnOpenEditor();
}

// The pieces that show something else, and those that another LED's area
// overlaps, as the LED painted last shows there. One rectangle around them:
// a paint with a clip of one rectangle copies each piece in one go.
void CBrelvimView::ShowLeds(LedMask leds)
{
    if (!leds)
        return;
    BuildStepsFor(leds);
    const QPoint origin = PictureOrigin();
    const std::vector<FramePiece> &pieces = FramePieces();
    m_unpaintedPieces.resize(pieces.size());
    for (int k = 0; k < LED_COUNT; ++k) {
        if (!(leds & (1U << k)))
            continue;
        const auto led = static_cast<std::size_t>(k);
        const PieceRange range = PositionPieces(LED_ORDER[led]);
        for (std::size_t p = range.first; p < range.last; ++p)
            if (pieces[p].overlapsOther || !m_bitmaps.ShowsSame(p, m_shownStep[led], m_lastStep[led])) {
                m_unpaintedPieces[p] = true;
                m_unpaintedArea |= ToQRect(pieces[p].rect).translated(origin);
            }
        m_shownStep[led] = m_lastStep[led];
    }
    update(m_unpaintedArea);
}

void CBrelvimView::OnTimer(int)
{
    CBrelvimDoc *document = GetDocument();
    if (!document)
        return;
    m_catchingUp = true;
    m_simTime = CatchUpSimulation(timeGetTime(), m_simTime, m_inputSwitch ? 1 : 0,
        [document](int input, bool updateViews) { document->Tick(input, updateViews); });
    m_catchingUp = false;
    ShowLeds(std::exchange(m_unshownLeds, 0));
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

void CBrelvimView::OnUpdateUpload(CCmdUI &ui) const
{
    const CBrelvimDoc *document = GetDocument();
    ui.Enable(document && m_upload->CanUpload(document->m_running, document->m_rows.GetCount()));
}

void CBrelvimView::OnUpload()
{
    CBrelvimDoc *document = GetDocument();
    if (!document)
        return;
    document->CopyRowsFromEditor();
    m_upload->Upload(document->m_rows);
}

void CBrelvimView::ScheduleCommandUpdate()
{
    if (m_commands)
        m_commands->ScheduleUpdate();
}

void CBrelvimView::OnStopUpload()
{
    m_upload->Stop();
}

bool CBrelvimView::QueryStopUploadToQuit()
{
    return m_upload->QueryStopToQuit();
}

void CBrelvimView::paintEvent(QPaintEvent *event)
{
    if (size().isEmpty())
        return;
    QPainter painter(this);
    if (std::exchange(m_fullPaintPending, false))
        OnDraw(painter);
    else if (event->region() == QRegion(m_unpaintedArea))
        PaintChangedPieces(painter);
    else
        PaintRegion(painter, event->region());
    m_unpaintedPieces.assign(FramePieces().size(), false);
    m_unpaintedArea = QRect();
}

// The pieces were asked for by ShowLeds alone; what lies around them in the
// rectangle Qt paints shows as it did. The LEDs that changed lie above all
// others and their pieces that others overlap are among these.
void CBrelvimView::PaintChangedPieces(QPainter &painter)
{
    const QPoint origin = PictureOrigin();
    for (const int k : m_paintOrder)
        PaintPieces(painter, origin, m_bitmaps, k, LastLevel(k), m_unpaintedPieces);
}

void CBrelvimView::resizeEvent(QResizeEvent *event)
{
    m_fullPaintPending = true;
    CView::resizeEvent(event);
}

void CBrelvimView::showEvent(QShowEvent *event)
{
    m_fullPaintPending = true;
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
