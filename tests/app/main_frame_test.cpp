#include "app/main_frame.h"

#include "app/main_frame_keys.h"
#include "app/mask_blend.h"
#include "app/splash_wnd.h"
#include "app/toolbar_images.h"
#include "platform/command_table.h"
#include "platform/resource_ids.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

class CMainFrameTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QPixmap picture(300, 200);
        picture.fill(Qt::black);
        frame = std::make_unique<CMainFrame>(commands, picture);
        commands.OnCommand(ID_START_SIMULATION, [this] { ++starts; });
        ASSERT_TRUE(frame->OnCreate(new QWidget));
        frame->show();
    }

    CSplashWnd *Splash() const { return frame->m_splashWnd.get(); }
    bool SplashTimerRuns() const { return frame->m_timers.count(1) == 1; }
    QToolBar *ToolBar() const { return frame->m_toolBar; }
    QWidget *Button(int id) { return ToolBar()->widgetForAction(commands.Action(id)); }

    CommandTable commands;
    std::unique_ptr<CMainFrame> frame;
    int starts = 0;
};

TEST_F(CMainFrameTest, ButtonImagesStandOnTheButtonFace)
{
    const QColor face = frame->palette().color(QPalette::Button);
    const QIcon icon = commands.Action(ID_START_SIMULATION)->icon();
    // The corner of the play button is all face; its middle is the icon.
    const QImage normal = icon.pixmap(32, 32, QIcon::Normal).toImage();
    EXPECT_EQ(QColor(normal.pixel(0, 0)),
        QColor(face.red() * 255 / 256, face.green() * 255 / 256, face.blue() * 255 / 256));
    const QImage disabled = icon.pixmap(32, 32, QIcon::Disabled).toImage();
    const QImage hot = icon.pixmap(32, 32, QIcon::Active).toImage();
    const QColor middle(normal.pixel(15, 16));
    EXPECT_GT(middle.green(), middle.red() + 60);
    EXPECT_EQ(QColor(disabled.pixel(15, 16)).saturation(), 0);
    EXPECT_GT(QColor(hot.pixel(15, 16)).lightness(), middle.lightness());

    // Drawn for screens of device pixel ratios 1.5 and 2 too, not scaled up.
    for (const QIcon::Mode mode : { QIcon::Normal, QIcon::Disabled, QIcon::Active }) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(icon.availableSizes(mode), QList<QSize>({ { 32, 32 }, { 48, 48 }, { 64, 64 } }));
    }
    const QImage sharp = icon.pixmap(QSize(32, 32), 2.0).toImage();
    EXPECT_EQ(sharp.size(), QSize(64, 64));
    const QColor sharpMiddle(sharp.pixel(31, 32));
    EXPECT_GT(sharpMiddle.green(), sharpMiddle.red() + 60);
    EXPECT_EQ(QColor(sharp.pixel(0, 0)), QColor(normal.pixel(0, 0)));
}

TEST(MaskBlend, MaskWeighsFaceAgainstImagePerComponentWithoutOverflow)
{
    // The shift by 8 divides by 256, so even mask 0 darkens a little and a
    // full mask gives a little less than the face.
    std::uint8_t pixels[] = { 10, 20, 30, 200, 100, 0, 255, 255, 255 };
    const std::uint8_t mask[] = { 0, 0, 0, 255, 128, 64, 255, 255, 255 };
    BlendWithMask(pixels, mask, 2, BgrColour { 40, 80, 240 });
    BlendWithMask(pixels + 6, mask + 6, 1, BgrColour { 255, 0, 128 });
    const std::uint8_t expected[] = { 9, 19, 29, 39, 89, 60, 254, 0, 127 };
    EXPECT_TRUE(std::equal(pixels, pixels + 9, expected));
}

TEST(ToolbarImages, BlackAfterBlendingIsTransparent)
{
    QImage strip(2, 1, QImage::Format_RGB888);
    strip.fill(Qt::black);
    QImage mask = strip.copy();
    mask.setPixel(1, 0, qRgb(255, 255, 255));
    const QImage blended = BlendToolbarStrip(strip, mask, QColor(100, 100, 100));
    EXPECT_EQ(qAlpha(blended.pixel(0, 0)), 0);
    EXPECT_EQ(blended.pixel(1, 0), qRgb(99, 99, 99));
}

TEST_F(CMainFrameTest, SplashAtStartLetsInputThroughAndClosesWithTimerOne)
{
    ASSERT_NE(Splash(), nullptr);
    // It shows once the frame has shown.
    EXPECT_TRUE(QTest::qWaitFor([this] { return Splash()->isVisible(); }, 2000));
    // A transient window of the frame, which compositors keep above it.
    ASSERT_NE(Splash()->windowHandle(), nullptr);
    EXPECT_EQ(Splash()->windowHandle()->transientParent(), frame->windowHandle());
    QTest::mouseClick(Button(ID_START_SIMULATION), Qt::LeftButton);
    EXPECT_NE(Splash(), nullptr);
    EXPECT_EQ(starts, 1);

    // An about window opened meanwhile closes with the splash, and nothing
    // is left to swallow the next click.
    commands.Execute(ID_APP_ABOUT);
    EXPECT_TRUE(SplashTimerRuns());
    frame->OnTimer(1);
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_FALSE(SplashTimerRuns());
    QTest::mouseClick(Button(ID_START_SIMULATION), Qt::LeftButton);
    EXPECT_EQ(starts, 2);
}

// A click, F5 and Return on the focused button alike: the first press while
// the about window is open only closes it, the next one starts.
TEST_F(CMainFrameTest, AboutWindowClosesOnTheNextPressAndSwallowsIt)
{
    new MainFrameKeys(commands, *frame, [] { return nullptr; });
    frame->OnTimer(1);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    const std::pair<const char *, std::function<void()>> presses[] = {
        { "click", [this] { QTest::mouseClick(Button(ID_START_SIMULATION), Qt::LeftButton); } },
        { "F5", [this] { QTest::keyClick(frame->centralWidget(), Qt::Key_F5); } },
        { "Return", [this] { QTest::keyClick(Button(ID_START_SIMULATION), Qt::Key_Return); } },
    };
    for (const auto &[name, press] : presses) {
        SCOPED_TRACE(name);
        commands.Execute(ID_APP_ABOUT);
        ASSERT_NE(Splash(), nullptr);
        EXPECT_EQ(Splash()->windowHandle()->transientParent(), frame->windowHandle());
        const int before = starts;
        press();
        EXPECT_EQ(Splash(), nullptr);
        EXPECT_EQ(starts, before);
        press();
        EXPECT_EQ(starts, before + 1);
    }

    // A click on the about button or any key only closes it.
    commands.Execute(ID_APP_ABOUT);
    QTest::mouseClick(Button(ID_APP_ABOUT), Qt::LeftButton);
    EXPECT_EQ(Splash(), nullptr);
    commands.Execute(ID_APP_ABOUT);
    QTest::keyClick(frame->centralWidget(), Qt::Key_A);
    EXPECT_EQ(Splash(), nullptr);
}

TEST_F(CMainFrameTest, TabReachesTheButtonsAndTheirTooltipsNameTheKeys)
{
    EXPECT_EQ(commands.Action(ID_FILE_OPEN)->toolTip(), "open (Ctrl+O)");
    EXPECT_EQ(commands.Action(ID_STOP_SIMULATION)->toolTip(), "stop (Shift+F5)");
    EXPECT_EQ(commands.Action(ID_APP_ABOUT)->toolTip(), "about");

    frame->OnTimer(1);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    std::set<QWidget *> buttons, reached;
    for (QAction *action : ToolBar()->actions())
        if (!action->isSeparator())
            buttons.insert(ToolBar()->widgetForAction(action));
    for (std::size_t press = 0; press <= buttons.size(); ++press) {
        QTest::keyClick(frame.get(), Qt::Key_Tab);
        reached.insert(QApplication::focusWidget());
    }
    EXPECT_EQ(reached, buttons);
}

TEST_F(CMainFrameTest, CloseAsksFirstAndClosesTheSplash)
{
    bool allow = false;
    frame->SetCloseQuery([&] { return allow; });
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_TRUE(frame->isVisible());
    allow = true;
    // Closed, it ends the program, whatever other window is open.
    QWidget other;
    other.show();
    QTimer::singleShot(0, frame.get(), [this] { frame->close(); });
    QTimer::singleShot(5000, &other, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(frame->isVisible());
}

// With no menu bar nothing would bring a hidden or floated toolbar back: a
// right click on it offers no menu to hide it, and a drag from its left end,
// where a movable one has its handle, leaves it where it is.
TEST_F(CMainFrameTest, ToolbarCanNeitherBeHiddenNorMoved)
{
    frame->OnTimer(1);
    const QPoint handle(8, ToolBar()->height() / 2);
    QWidget *menu = nullptr;
    QTimer::singleShot(0, [&menu] {
        if ((menu = QApplication::activePopupWidget()))
            menu->close();
    });
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, handle, ToolBar()->mapToGlobal(handle));
    QApplication::sendEvent(ToolBar(), &rightClick);
    QApplication::processEvents();
    EXPECT_EQ(menu, nullptr);

    const QRect docked = ToolBar()->geometry();
    QTest::mousePress(ToolBar(), Qt::LeftButton, {}, handle);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(ToolBar(), handle + QPoint(step * 10, step * 30));
    QTest::mouseRelease(ToolBar(), Qt::LeftButton, {}, handle + QPoint(100, 300));
    EXPECT_FALSE(ToolBar()->isFloating());
    EXPECT_EQ(ToolBar()->geometry(), docked);
}

TEST(SplashWindow, WithoutAPictureShowsNothing)
{
    EXPECT_FALSE(CSplashWnd { QPixmap() }.isVisible());
}
