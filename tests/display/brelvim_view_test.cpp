#include "display/brelvim_view.h"

#include "../gui_test.h"
#include "core/sequence_interpreter.h"
#include "display/device_bundle.h"
#include "display/device_picture.h"
#include "display/led_tables.h"
#include "display/picture_scaler.h"
#include "document/brelvim_doc.h"
#include "document/simulation_clock.h"
#include "editor/led_editor_wnd.h"
#include "platform/command_table.h"
#include "platform/message_box.h"
#include "platform/millisecond_clock.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "tests/display/image_bytes.h"
#include "uploader/upload_controller.h"
#include "uploader/upload_dlg.h"

#include <QAction>
#include <QApplication>
#include <QPaintEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

// Sees the view's state and catches the regions it is asked to paint.
class BrelvimViewTest : public testing::Test, public QObject
{
protected:
    void SetUp() override
    {
        ClearTestSettings();
        DeviceBundle bundle;
        ASSERT_TRUE(bundle.Open(QStringLiteral(PEMBLO_BIN_DIR "/veltor.rcc")));
        picture = bundle.DevicePicture();
        InterceptMessageBoxes([this](const MessageBoxRequest &box) { boxes.push_back(box); });
        ReplaceMillisecondClock([this] { return now; });
    }

    void TearDown() override
    {
        view.reset();
        document.reset();
        InterceptMessageBoxes({});
        InterceptQuestions({});
        CUploadController::InterceptUploadWindow({});
        ReplaceMillisecondClock({});
    }

    CBrelvimView &MakeView(QSize size, DisplayFormat display = { 32, 0 })
    {
        view = std::make_unique<CBrelvimView>(*document, picture, [display] { return display; });
        view->installEventFilter(this);
        view->resize(size);
        view->show();
        return *view;
    }

    // The view as a full paint shows it, with margins in a colour that the
    // picture does not have.
    QImage ShownPicture()
    {
        view->m_marginColour = MARGIN;
        return Grabbed();
    }

    QImage Grabbed(const QRect &rect = QRect(QPoint(0, 0), QSize(-1, -1)))
    {
        return view->grab(rect).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Sets LED levels and tells the view, as a tick of the document does.
    void SetLevels(std::initializer_list<std::pair<int, int>> levels)
    {
        for (const auto &[led, level] : levels)
            document->m_ledLevels[static_cast<std::size_t>(led)] = static_cast<std::uint8_t>(level);
        view->OnUpdate(nullptr, HINT_REPAINT_LEDS);
    }

    QImage ExpectedDevice() const
    {
        QImage device(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, QImage::Format_RGB32);
        ComposeDevicePicture(reinterpret_cast<const std::uint8_t *>(picture.constData()),
            static_cast<std::size_t>(picture.size()), document->m_ledLevels, device.bits());
        return device;
    }

    QImage Margin(int width, int height) const
    {
        QImage margin(width, height, QImage::Format_RGB32);
        margin.fill(MARGIN);
        return margin;
    }

    // The regions painted once the events now queued have been handled.
    std::vector<QRegion> PaintsAfterEvents()
    {
        painted.clear();
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        return painted;
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted.push_back(static_cast<QPaintEvent *>(event)->region());
        return false;
    }

    // Picture pixel (x, y) of LED led's frame at level.
    QRgb FramePixel(int led, int level, int x, int y) const
    {
        const std::vector<FramePiece> &pieces = FramePieces();
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const PictureRect &rect = pieces[k].rect;
            if (pieces[k].position == LED_ORDER[static_cast<std::size_t>(led)] && rect.Contains(x, y)) {
                const DeviceBitmaps::Source source = view->m_bitmaps.PieceAt(k, BrightnessStep(level));
                return source.pixmap->toImage().pixel(
                    source.rect.topLeft() + QPoint(x - rect.left, y - rect.top));
            }
        }
        return 0;
    }

    std::array<std::int8_t, LED_COUNT> &LastStep() { return view->m_lastStep; }
    bool IsBuilt() const { return view->m_bitmaps.IsBuilt(); }
    std::uint32_t SimTime() const { return view->m_simTime; }
    bool BuildPending() const { return view->m_buildPending; }
    bool InputSwitch() const { return view->m_inputSwitch; }
    bool HasFittedDevice() const { return view->HasFittedDevice(); }

    // The device picture scaled down to side pixels, as a view that small
    // shows it.
    static QImage Scaled(const QImage &device, int side)
    {
        const PictureScaler scaler(DEVICE_PICTURE_SIZE, side);
        QImage scaled(side, side, QImage::Format_RGB32);
        scaler.Scale(reinterpret_cast<const std::uint32_t *>(device.constBits()),
            reinterpret_cast<std::uint32_t *>(scaled.bits()), PictureRect { 0, 0, side, side });
        return scaled;
    }

    const QRgb MARGIN = qRgb(200, 0, 100);
    QByteArray picture;
    std::unique_ptr<CBrelvimDoc> document = std::make_unique<CBrelvimDoc>();
    std::unique_ptr<CBrelvimView> view;
    std::vector<MessageBoxRequest> boxes;
    std::vector<QRegion> painted;
    CommandTable commands;
    std::uint32_t now = 5000;
};

namespace
{

TEST_F(BrelvimViewTest, AViewSmallerThanThePictureShowsAllOfItScaledOnceItsSizeSettled)
{
    struct Row {
        QSize view;
        QRect picture;
    };
    const Row rows[] = { { { 1000, 700 }, { 150, 0, 700, 700 } }, { { 600, 900 }, { 0, 150, 600, 600 } },
        { { 799, 1000 }, { 0, 100, 799, 799 } } };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.view.width() << " x " << row.view.height());
        document->m_ledLevels = { MAX_LED_LEVEL, 0, 0, 0, 60 };
        MakeView(row.view);
        ShownPicture();
        ASSERT_TRUE(QTest::qWaitFor([this] { return HasFittedDevice(); }, 5000));
        EXPECT_EQ(ShownPicture().copy(row.picture), Scaled(ExpectedDevice(), row.picture.width()));
        // A change of step shows at the scaled size too.
        SetLevels({ { 0, 0 } });
        PaintsAfterEvents();
        const QImage shown = Grabbed();
        EXPECT_EQ(shown.copy(row.picture), Scaled(ExpectedDevice(), row.picture.width()));
        // The strip before the picture, left or above.
        const QSize strip = row.picture.left() > 0 ? QSize(row.picture.left(), row.view.height())
                                                   : QSize(row.view.width(), row.picture.top());
        EXPECT_EQ(shown.copy(QRect(QPoint(0, 0), strip)), Margin(strip.width(), strip.height()));
    }
}

TEST_F(BrelvimViewTest, EveryPaintCoversAllOfItsRegionWhateverTheScreenHeldThere)
{
    // A compositor's buffer keeps nothing of earlier paints: what a paint
    // leaves out shows whatever was there.
    struct Row {
        QSize view;
        int led;
    };
    for (const Row &row : { Row { { 900, 800 }, 0 }, Row { { 900, 800 }, 3 }, Row { { 1000, 700 }, 0 } }) {
        SCOPED_TRACE(
            testing::Message() << row.view.width() << " x " << row.view.height() << ", LED " << row.led);
        document->m_ledLevels.fill(0);
        MakeView(row.view);
        ShownPicture();
        ASSERT_TRUE(QTest::qWaitFor([&] { return row.view.height() >= 800 || HasFittedDevice(); }, 5000));
        PaintsAfterEvents();
        SetLevels({ { row.led, MAX_LED_LEVEL } });
        // The rectangle around the LED's pieces, as a backing store may ask
        // for it.
        QRect around;
        for (const FramePiece &piece : FramePieces())
            if (piece.position == LED_ORDER[static_cast<std::size_t>(row.led)])
                around |= QRect(piece.rect.left, piece.rect.top, piece.rect.Width(), piece.rect.Height());
        around.translate(row.view.width() >= 800 ? (row.view.width() - 800) / 2 : 0, 0);
        QImage screen(row.view, QImage::Format_RGB32);
        screen.fill(qRgb(1, 2, 3));
        view->render(&screen, around.topLeft(), QRegion(around), QWidget::RenderFlags());
        PaintsAfterEvents();
        EXPECT_EQ(screen.copy(around), ShownPicture().copy(around));
    }
}

TEST_F(BrelvimViewTest, AnOddWidthLeavesOneColumnOnTheRightAndAFullPaintRestartsTheClock)
{
    document->m_ledLevels.fill(MAX_LED_LEVEL);
    MakeView(QSize(801, 800));
    LastStep().fill(BRIGHTNESS_STEPS - 1);
    now = 777;
    const QImage shown = ShownPicture();
    EXPECT_EQ(shown.copy(800, 0, 1, 800), Margin(1, 800));
    EXPECT_EQ(shown.copy(0, 0, 800, 800), ExpectedDevice());
    EXPECT_EQ(SimTime(), 777U);
}

TEST_F(BrelvimViewTest, WithoutADevicePictureTheViewShowsTheMarginColour)
{
    picture.clear();
    MakeView(QSize(900, 700));
    EXPECT_EQ(ShownPicture(), Margin(900, 700));
    EXPECT_FALSE(IsBuilt());
}

TEST_F(BrelvimViewTest, OnlyAChangeOfBrightnessStepRepaintsAndOnlyAroundTheLed)
{
    MakeView(QSize(900, 800));
    SetLevels({ { 0, 7 } });
    PaintsAfterEvents();

    SetLevels({ { 0, 8 } });
    std::vector<QRegion> regions = PaintsAfterEvents();
    ASSERT_EQ(regions.size(), 1U);
    // LED 0 sits at position 6, shifted by the 50-pixel margin.
    QRect bounds;
    for (const LedShapeArea &area : LedShapeAreas())
        if (area.position == 6)
            bounds |= QRect(area.rect.left + 50, area.rect.top, area.rect.Width(), area.rect.Height());
    EXPECT_FALSE(regions[0].isEmpty());
    EXPECT_TRUE(bounds.contains(regions[0].boundingRect()));
    EXPECT_EQ(Grabbed(bounds), ExpectedDevice().copy(bounds.translated(-50, 0)));

    SetLevels({ { 0, 15 } });
    EXPECT_TRUE(PaintsAfterEvents().empty());
}

TEST_F(BrelvimViewTest, WhereLedAreasOverlapTheLedPaintedLastShows)
{
    // The areas of LEDs 2 and 3 share picture pixel (200, 330). In one timer
    // message LED 3 changes, then LED 2; then LED 3 alone. The off and the
    // lit image differ everywhere.
    const auto pattern
        = [](int x, int y) { return static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u); };
    const std::vector<std::uint8_t> bytes = ImageBytes(
        DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, { pattern, [&](int x, int y) { return ~pattern(x, y); } });
    picture = QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    MakeView(QSize(800, 800));
    ShownPicture();
    PaintsAfterEvents();
    const QRgb led2Lit = FramePixel(2, 127, 200, 330), led3Half = FramePixel(3, 40, 200, 330);
    const QRgb led3Dark = FramePixel(3, 0, 200, 330);
    ASSERT_NE(led2Lit, led3Half);
    ASSERT_NE(led2Lit, led3Dark);
    const auto shownAfter = [this](std::initializer_list<std::pair<int, int>> ticks) {
        for (const auto &[led2, led3] : ticks)
            SetLevels({ { 2, led2 }, { 3, led3 } });
        PaintsAfterEvents();
        return view->grab(QRect(200, 330, 1, 1)).toImage().pixel(0, 0);
    };
    EXPECT_EQ(shownAfter({ { 0, 40 }, { 127, 40 } }), led2Lit);
    EXPECT_EQ(shownAfter({ { 127, 0 } }), led3Dark);
}

TEST_F(BrelvimViewTest, HintOneOpensTheEditorAndOpenEditorIsEnabledExactlyWithoutOne)
{
    MakeView(QSize(1000, 800)).RegisterCommands(commands);
    QAction *openEditor = commands.Action(ID_OPEN_EDITOR);
    EXPECT_TRUE(openEditor->isEnabled());

    view->OnUpdate(nullptr, HINT_OPEN_EDITOR);
    commands.UpdateCommandUI();
    // An empty document gets the default sequence first.
    auto *editor = dynamic_cast<CLedEditorWnd *>(document->GetEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->m_rowCount, 4);
    EXPECT_EQ(editor->m_rows, document->m_rows.GetRecords());
    EXPECT_FALSE(openEditor->isEnabled());

    // A closed window still counts until the next tick collects it.
    editor->close();
    commands.UpdateCommandUI();
    EXPECT_FALSE(openEditor->isEnabled());
    now += 100;
    view->OnTimer(0);
    EXPECT_FALSE(document->HasEditor());
    EXPECT_TRUE(openEditor->isEnabled());
    commands.Execute(ID_OPEN_EDITOR);
    EXPECT_TRUE(document->HasEditor());
}

// Without a sound server the Upload window says there is no output; going
// ahead anyway, the start fails and a box says why.
TEST_F(BrelvimViewTest, UploadFollowsItsRuleAndSaysWhenThereIsNoSoundOutput)
{
    // No sound server answers here, whatever the machine runs.
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse");
    QStringList said;
    CUploadController::InterceptUploadWindow([&said](CUploadDlg &window) {
        said << window.SoundPathText();
        return true;
    });
    MakeView(QSize(1000, 800)).RegisterCommands(commands);
    QAction *upload = commands.Action(ID_UPLOAD);
    EXPECT_FALSE(upload->isEnabled());
    document->m_rows.LoadDefault();
    document->m_running = true;
    commands.UpdateCommandUI();
    EXPECT_FALSE(upload->isEnabled());
    document->m_running = false;
    commands.UpdateCommandUI();
    ASSERT_TRUE(upload->isEnabled());

    commands.Execute(ID_UPLOAD);
    EXPECT_EQ(said, QStringList { "There is no sound output." });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The upload cannot start. There is no sound output.");
    commands.UpdateCommandUI();
    EXPECT_TRUE(upload->isEnabled());

    ASSERT_TRUE(ResourceModule::LoadLanguageBundle(QStringLiteral(PEMBLO_BIN_DIR "/german.rcc")));
    commands.Execute(ID_UPLOAD);
    ResourceModule::UnloadLanguageBundle();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(said.last(), "Es gibt keine Tonausgabe.");
    EXPECT_EQ(boxes[1].title, "Fehler");
    EXPECT_EQ(boxes[1].text, "Die Übertragung kann nicht beginnen. Es gibt keine Tonausgabe.");
}

// The checker's errors share the Upload window with the sound path; Cancel
// starts nothing.
TEST_F(BrelvimViewTest, AnUploadWithErrorsStartsOnlyWhenTheUserSaysSo)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse");
    MakeView(QSize(1000, 800)).RegisterCommands(commands);
    std::vector<QString> checks;
    bool uploadAnyway = false;
    CUploadController::InterceptUploadWindow([&](CUploadDlg &window) {
        checks.push_back(window.CheckText());
        EXPECT_FALSE(window.UploadButton()->isDefault());
        return uploadAnyway;
    });
    // Twelve rows of 200 ticks, which the device holds for 72.
    for (int i = 0; i < 12; ++i)
        document->m_rows.Append({ 0, 1, 200, 0, 0 });
    document->m_rows.Append({ 1, 0, 0, CMD_GOTO, 0 });
    commands.UpdateCommandUI();

    commands.Execute(ID_UPLOAD);
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(checks[0].count("\nrow "), 10);
    EXPECT_TRUE(checks[0].endsWith("\nand 2 more"));
    EXPECT_TRUE(boxes.empty());

    uploadAnyway = true;
    commands.Execute(ID_UPLOAD);
    EXPECT_EQ(boxes.size(), 1u);

    document->m_rows.LoadDefault();
    commands.Execute(ID_UPLOAD);
    ASSERT_EQ(checks.size(), 3u);
    EXPECT_TRUE(checks[2].isEmpty());
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(BrelvimViewTest, AnUnsupportedDepthIsRefusedAndClosesTheWindow)
{
    MakeView(QSize(900, 800), { 24, 0 }).OnInitialUpdate();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(view->IsDisplaySupported());

    MakeView(QSize(900, 800), { 8, 0 }).OnInitialUpdate();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, "This program only works with display settings of 16, 24, or 32 bit colors");
    EXPECT_FALSE(view->IsDisplaySupported());
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(BuildPending());
}

TEST_F(BrelvimViewTest, TheLeftButtonWorksTheInputSwitch)
{
    // Row 0 jumps to row 2 while the input is on: LEDs 0..3 lit without it,
    // LEDs 4..7 with it.
    RowTable &rows = document->m_rows;
    rows.Append({ 1, 0, 1, CMD_IF_ON, 2 });
    rows.Append({ 0, 0x0F, 50, 0, 0 });
    rows.Append({ 0, 0xF0, 50, 0, 0 });
    const auto outputsAfterNineTicks = [&rows](int input) {
        SequenceInterpreter run(rows);
        run.Reset();
        for (int tick = 0; tick < 9; ++tick)
            run.Step(input);
        return run.GetOutputs();
    };
    const SequenceInterpreter::Outputs pressed = outputsAfterNineTicks(1);
    ASSERT_NE(pressed, outputsAfterNineTicks(0));

    MakeView(QSize(900, 800));
    ShownPicture();
    document->OnStartSimulation();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(400, 400));
    now += SIMULATION_TIMER_MS;
    view->OnTimer(0);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(400, 400));

    for (int k = 0; k < LED_COUNT; ++k)
        EXPECT_EQ(document->m_ledLevels[static_cast<std::size_t>(k)], pressed[static_cast<std::size_t>(k)])
            << k;
    EXPECT_FALSE(InputSwitch());
}

} // namespace
