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

// How long a view smaller than the picture keeps its size before the
// picture is scaled for it: a window dragged larger or smaller scales it
// once, when the user lets go.
constexpr int FIT_SETTLE_MS = 250;

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

// The region of the rectangles, united half by half: one by one, each union
// would go over all the rectangles united before.
QRegion UnitedRects(std::vector<QRect>::const_iterator first, std::vector<QRect>::const_iterator last)
{
    if (last - first == 1)
        return *first;
    if (first == last)
        return QRegion();
    const auto middle = first + (last - first) / 2;
    return UnitedRects(first, middle).united(UnitedRects(middle, last));
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
    m_fitTimer.setSingleShot(true);
    m_fitTimer.setInterval(FIT_SETTLE_MS);
    connect(&m_fitTimer, &QTimer::timeout, this, &CBrelvimView::BuildFittedDevice);
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
    const bool fitted = m_bitmaps.IsBuilt() && IsFitted();
    if (!m_bitmaps.IsBuilt()) {
        painter.fillRect(rect(), m_marginColour);
    } else if (!fitted) {
        painter.drawPixmap(origin, m_bitmaps.Background());
        PaintMargins(painter, origin);
    }
    SetTimer(SIMULATION_TIMER, SIMULATION_TIMER_MS);
    // Painting and building are not caught up: the clock resumes now.
    m_simTime = timeGetTime();
    const LedMask leds = TakeChangedSteps(true);
    if (fitted) {
        ShowFittedSteps(leds);
        PaintFitted(painter, rect());
    } else {
        PaintLeds(painter, leds);
    }
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
    const int side = ShownSize();
    const int dx = width() - side;
    const int dy = height() - side;
    if (dx > 0) {
        painter.fillRect(0, 0, dx / 2, height(), m_marginColour);
        painter.fillRect(origin.x() + side, 0, dx / 2 + 1, height(), m_marginColour);
    }
    if (dy > 0) {
        painter.fillRect(0, 0, width(), dy / 2, m_marginColour);
        painter.fillRect(0, origin.y() + side, width(), dy / 2 + 1, m_marginColour);
    }
}

QPoint CBrelvimView::PictureOrigin() const
{
    return QPoint(CentringOffset(width(), ShownSize()), CentringOffset(height(), ShownSize()));
}

int CBrelvimView::ShownSize() const
{
    return std::min({ width(), height(), DEVICE_PICTURE_SIZE });
}

bool CBrelvimView::IsFitted() const
{
    return ShownSize() < DEVICE_PICTURE_SIZE;
}

void CBrelvimView::BuildFittedDevice()
{
    if (!IsFitted() || ShownSize() <= 0 || !m_bitmaps.IsBuilt())
        return;
    BuildSteps();
    m_fitted = std::make_unique<FittedDevice>(m_bitmaps, ShownSize(), devicePixelRatioF());
    for (int k = 0; k < LED_COUNT; ++k)
        m_fitted->SetStep(k, std::max<int>(0, m_lastStep[static_cast<std::size_t>(k)]));
    update();
}

bool CBrelvimView::HasFittedDevice() const
{
    return m_fitted && m_fitted->Fits(ShownSize(), devicePixelRatioF());
}

void CBrelvimView::PaintFitted(QPainter &painter, const QRegion &region)
{
    const QPoint origin = PictureOrigin();
    PaintMargins(painter, origin);
    if (!HasFittedDevice()) {
        // Until the size settles, the picture as it is, scaled on the spot.
        if (!m_fitTimer.isActive())
            m_fitTimer.start();
        BuildStepsFor(ALL_LEDS);
        LedLevels levels;
        for (int k = 0; k < LED_COUNT; ++k)
            levels[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(std::max(0, LastLevel(k)));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(origin, QSize(ShownSize(), ShownSize())), RenderDevice(m_bitmaps, levels));
        return;
    }
    // Each part under a clip of one rectangle, copied in one go.
    const QRegion picture = region.intersected(QRect(origin, QSize(ShownSize(), ShownSize())));
    for (const QRect &area : picture) {
        painter.setClipRect(area);
        painter.drawImage(origin, m_fitted->Image());
    }
    painter.setClipping(false);
}

QRegion CBrelvimView::ShowFittedSteps(LedMask leds)
{
    const QPoint origin = PictureOrigin();
    if (!HasFittedDevice())
        return QRect(origin, QSize(ShownSize(), ShownSize()));
    QRegion changed;
    for (int k = 0; k < LED_COUNT; ++k)
        if (leds & (1U << k))
            changed += m_fitted->SetStep(k, m_lastStep[static_cast<std::size_t>(k)]).translated(origin);
    return changed;
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

// Asks for the pieces that show something else, and those that another
// LED's area overlaps, as the LED painted last shows there.
void CBrelvimView::ShowLeds(LedMask leds)
{
    if (!leds)
        return;
    if (m_bitmaps.IsBuilt() && IsFitted()) {
        update(ShowFittedSteps(leds));
        for (int k = 0; k < LED_COUNT; ++k)
            if (leds & (1U << k))
                m_shownStep[static_cast<std::size_t>(k)] = m_lastStep[static_cast<std::size_t>(k)];
        return;
    }
    BuildStepsFor(leds);
    const QPoint origin = PictureOrigin();
    const std::vector<FramePiece> &pieces = FramePieces();
    m_askedPieces.resize(pieces.size());
    std::vector<QRect> changed;
    for (int k = 0; k < LED_COUNT; ++k) {
        if (!(leds & (1U << k)))
            continue;
        const auto led = static_cast<std::size_t>(k);
        const PieceRange range = PositionPieces(LED_ORDER[led]);
        // The last piece asked for: the pieces between it and the next one
        // of its column are asked for too, so that the column's asked pieces
        // are one rectangle.
        std::size_t last = range.last;
        for (std::size_t p = range.first; p < range.last; ++p) {
            if (!pieces[p].overlapsOther && m_bitmaps.ShowsSame(p, m_shownStep[led], m_lastStep[led]))
                continue;
            const bool sameColumn = last != range.last && pieces[last].column == pieces[p].column;
            for (std::size_t between = sameColumn ? last + 1 : p; between <= p; ++between)
                m_askedPieces[between] = true;
            const QRect rect = ToQRect(pieces[p].rect).translated(origin);
            if (sameColumn)
                changed.back().setBottom(rect.bottom());
            else
                changed.push_back(rect);
            last = p;
        }
        m_shownStep[led] = m_lastStep[led];
    }
    const QRegion area = UnitedRects(changed.begin(), changed.end());
    m_askedArea += area;
    update(area);
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
    else if (m_bitmaps.IsBuilt() && IsFitted())
        PaintFitted(painter, event->region());
    else if (event->region() == m_askedArea)
        PaintAskedPieces(painter);
    else
        PaintRegion(painter, event->region());
    m_askedPieces.assign(FramePieces().size(), false);
    m_askedArea = QRegion();
}

// The LEDs that changed lie above all others, and their pieces that others
// overlap are among those asked for: painted whole, they cover the region.
void CBrelvimView::PaintAskedPieces(QPainter &painter)
{
    const QPoint origin = PictureOrigin();
    for (const int k : m_paintOrder)
        PaintPieces(painter, origin, m_bitmaps, k, LastLevel(k), m_askedPieces);
}

void CBrelvimView::resizeEvent(QResizeEvent *event)
{
    m_fullPaintPending = true;
    if (IsFitted())
        m_fitTimer.start();
    else
        m_fitted.reset();
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
