#include "led_editor_wnd_test.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace
{

constexpr QRgb BACKGROUND = qRgb(0, 32, 96);
constexpr QRgb FRAME = qRgb(32, 80, 255);
constexpr QRgb GREY = qRgb(128, 128, 128);
constexpr QRgb LIGHT_GREY = qRgb(146, 146, 146);
constexpr QRgb DARK_GREY = qRgb(112, 112, 112);
constexpr QRgb RED = qRgb(255, 64, 64);
constexpr QRgb BLUE = qRgb(0, 0, 255);

// Pixel columns inside cells, clear of their texts and frames.
constexpr int INDEX_PIXEL_X = 56;
constexpr int TIME_PIXEL_X = 97;

// What the editor paints, in the format of a screen grab.
QImage Grab(CLedEditorWnd &editor)
{
    return editor.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Counts the paint events a widget gets and gathers the regions painted.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    QRegion region;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            region += static_cast<QPaintEvent *>(event)->region();
        }
        return false;
    }
};

} // namespace

TEST_F(LedEditorWndTest, ChannelCellsSeparatorsMarginsSelectionAndTrace)
{
    // Empty slots hold one dark tick.
    EXPECT_EQ(CLedEditorWnd().m_rows[MAX_ROWS - 1], (SequenceRow { 0, 0, 1, 0, 0 }));
    auto editor = Editor(10, 300, 240);
    for (int line = 0; line < 10; ++line)
        editor->m_rows[static_cast<std::size_t>(line)].pattern = 0x01;
    editor->m_rows[9] = { 1, 0, 1, 'G', 300 };
    Selection(*editor).SelectRange(5, 6);
    editor->SetTraceLine(6);
    const QImage image = Grab(*editor);

    // Channel 0 on, channel 1 off, in a checkerboard.
    EXPECT_EQ(image.pixel(CHANNEL_X, LineY(0)), qRgb(224, 224, 224));
    EXPECT_EQ(image.pixel(CHANNEL_X, LineY(1)), qRgb(208, 208, 208));
    EXPECT_EQ(image.pixel(CHANNEL_X + 16, LineY(0)), qRgb(64, 64, 64));

    // A separator above lines 4 and 8 across the channel cells only.
    EXPECT_EQ(image.pixel(CHANNEL_X, 24 + 4 * 16), BACKGROUND);
    EXPECT_EQ(image.pixel(CHANNEL_X + 16 * 7, 24 + 8 * 16), BACKGROUND);
    EXPECT_NE(image.pixel(CHANNEL_X, 24 + 5 * 16), BACKGROUND);
    EXPECT_NE(image.pixel(INDEX_PIXEL_X, 24 + 4 * 16), BACKGROUND);

    // The 3-D frame of an index cell, lighter at the top left.
    EXPECT_EQ(image.pixel(INDEX_PIXEL_X, LineY(1)), GREY);
    EXPECT_EQ(image.pixel(25, 24 + 16), LIGHT_GREY);
    EXPECT_EQ(image.pixel(59, 24 + 20), DARK_GREY);

    // A command line: name and parameter cells in their greens.
    EXPECT_EQ(image.pixel(185, LineY(9)), qRgb(16, 64, 16));
    EXPECT_EQ(image.pixel(225, LineY(9)), qRgb(8, 48, 8));

    // Margins, with the background right of and below the table.
    EXPECT_EQ(image.pixel(10, 10), FRAME);
    EXPECT_EQ(image.pixel(230, LineY(3)), FRAME);
    EXPECT_EQ(image.pixel(100, 24 + 160 + 2), FRAME);
    EXPECT_EQ(image.pixel(100, 24 + 160 + 6), BACKGROUND);
    EXPECT_EQ(image.pixel(260, LineY(3)), BACKGROUND);

    // Selected lines are red, the executing line's index cell blue.
    EXPECT_EQ(image.pixel(INDEX_PIXEL_X, LineY(5)), RED);
    EXPECT_EQ(image.pixel(INDEX_PIXEL_X, LineY(6)), BLUE);
    EXPECT_EQ(image.pixel(TIME_PIXEL_X, LineY(6)), RED);
    EXPECT_EQ(image.pixel(CHANNEL_X, LineY(6)), qRgb(255, 144, 144));
    EXPECT_EQ(image.pixel(CHANNEL_X + 16, LineY(6)), qRgb(128, 64, 64));
}

TEST_F(LedEditorWndTest, PartlyVisibleLinesShowPlainGreyCells)
{
    // Rows area 24..116, scrolled by half a line: line 0 shows 8 pixels at
    // the top, line 6 8 pixels at the bottom.
    auto editor = Editor(20, 232, 120);
    editor->m_rows[0].pattern = 0x01;
    ScrollPos(*editor) = 8;
    const QImage image = Grab(*editor);

    EXPECT_EQ(image.pixel(TIME_PIXEL_X + 2, 31), GREY);
    EXPECT_EQ(image.pixel(CHANNEL_X, 24), qRgb(224, 224, 224));
    EXPECT_EQ(image.pixel(20, 33), LIGHT_GREY);
    EXPECT_EQ(image.pixel(20, 113), GREY);
    EXPECT_EQ(image.pixel(20, 117), FRAME);
}

TEST_F(LedEditorWndTest, TheScrollBarScrollsLongTablesOnly)
{
    auto editor = Editor(224, 232, 400);
    Grab(*editor);
    QScrollBar &bar = ScrollBar(*editor);
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(bar.geometry(), QRect(4, 24, 16, 372));

    bar.triggerAction(QAbstractSlider::SliderToMaximum);
    Grab(*editor);
    EXPECT_EQ(ScrollPos(*editor), 224 * 16 + 28 - 400);
    // Enlarging the window at the end pulls the grid back, and the bar along.
    editor->resize(232, 3000);
    Grab(*editor);
    EXPECT_EQ(ScrollPos(*editor), 224 * 16 + 28 - 3000);
    EXPECT_EQ(bar.value(), ScrollPos(*editor));
    // As the bar's context menu scrolls.
    bar.setValue(100);
    EXPECT_EQ(ScrollPos(*editor), 100);

    auto shortEditor = Editor(3, 232, 400);
    Grab(*shortEditor);
    EXPECT_FALSE(ScrollBar(*shortEditor).isEnabled());
}

TEST_F(LedEditorWndTest, TracingScrollsToTheLineAndNoneDoesNotRepaintAndClosingHides)
{
    auto editor = Editor(224, 232, 400);
    editor->m_rows[100] = { 0, 0x5A, 3, 0, 0 };
    editor->m_rows[150] = { 1, 0x5A, 3, 'G', 0 };
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    PaintCounter counter;
    editor->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    editor->SetTraceLine(-1);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    editor->SetTraceLine(100);
    QCoreApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(ScrollPos(*editor), 101 * 16 + 24 - 396);
    EXPECT_EQ(editor->GetCurrentPattern(), 0x5Au);

    // The next line in view repaints the two index cells only, and the
    // window then shows what a whole paint shows.
    QCoreApplication::processEvents();
    counter.region = QRegion();
    editor->SetTraceLine(99);
    QCoreApplication::processEvents();
    const int top99 = 24 + 99 * 16 - ScrollPos(*editor);
    EXPECT_EQ(counter.region, QRegion(20, top99, 40, 32));
    const QImage onScreen = QGuiApplication::primaryScreen()->grabWindow(editor->winId()).toImage();
    EXPECT_EQ(onScreen.convertToFormat(QImage::Format_RGB32), Grab(*editor));
    editor->SetTraceLine(150);
    EXPECT_EQ(editor->GetCurrentPattern(), 0u);

    // Closing hides the window and tells the owner by the flag.
    EXPECT_TRUE(editor->close());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->m_closed, 1);
}
