#include "app/main_frame.h"

#include "app/splash_wnd.h"
#include "app/toolbar_images.h"
#include "platform/command_table.h"
#include "platform/resource_ids.h"
#include "platform/shell_open.h"
#include "resources/product.h"

#include <QAction>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

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

TEST_F(CMainFrameTest, MaximisedWithToolbarOfEightButtonsAndNoMenu)
{
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(frame->findChild<QMenuBar *>(), nullptr);
    EXPECT_EQ(frame->findChild<QStatusBar *>(), nullptr);

    const QList<QAction *> actions = ToolBar()->actions();
    const int order[] = { ID_FILE_OPEN, ID_FILE_SAVE_AS, 0, ID_START_SIMULATION, ID_STOP_SIMULATION, 0,
        ID_UPLOAD, ID_OPEN_EDITOR, 0, ID_APP_ABOUT, ID_GOTO_SITE };
    ASSERT_EQ(actions.size(), int(std::size(order)));
    for (int i = 0; i < actions.size(); ++i) {
        if (order[i] == 0)
            EXPECT_TRUE(actions[i]->isSeparator()) << i;
        else
            EXPECT_EQ(actions[i], commands.Action(order[i])) << i;
    }
    EXPECT_EQ(ToolBar()->iconSize(), QSize(32, 32));
    EXPECT_EQ(commands.Action(ID_UPLOAD)->toolTip(), "upload");
    EXPECT_EQ(commands.Action(ID_APP_ABOUT)->toolTip(), "");
}

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

TEST_F(CMainFrameTest, SplashAtStartClosesWithTimerOne)
{
    ASSERT_NE(Splash(), nullptr);
    EXPECT_TRUE(Splash()->isVisible());
    EXPECT_EQ(Splash()->size(), QSize(300, 200));
    EXPECT_TRUE(Splash()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Splash()->geometry().center(), Splash()->screen()->availableGeometry().center());
    // "V1.1" in the bottom-right corner, white over its dark shadow.
    const QImage shot = Splash()->grab().toImage().copy(240, 170, 60, 30);
    bool white = false, shadow = false;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            white = white || shot.pixel(x, y) == qRgb(255, 255, 255);
            shadow = shadow || shot.pixel(x, y) == qRgb(32, 32, 64);
        }
    EXPECT_TRUE(white);
    EXPECT_TRUE(shadow);
    EXPECT_EQ(Splash()->grab().toImage().pixel(10, 10), qRgb(0, 0, 0));
    // The start-up splash does not react to input.
    QTest::mouseClick(Button(ID_START_SIMULATION), Qt::LeftButton);
    EXPECT_NE(Splash(), nullptr);
    EXPECT_EQ(starts, 1);

    EXPECT_TRUE(SplashTimerRuns());
    frame->OnTimer(1);
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_FALSE(SplashTimerRuns());
}

TEST_F(CMainFrameTest, AboutWindowClosesOnTheNextPressAndSwallowsIt)
{
    frame->OnTimer(1);
    commands.Execute(ID_APP_ABOUT);
    ASSERT_NE(Splash(), nullptr);
    QTest::mouseClick(Button(ID_START_SIMULATION), Qt::LeftButton);
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_EQ(starts, 0);
    QTest::mouseClick(Button(ID_START_SIMULATION), Qt::LeftButton);
    EXPECT_EQ(starts, 1);

    // A click on the about button while it is open only closes it.
    commands.Execute(ID_APP_ABOUT);
    QTest::mouseClick(Button(ID_APP_ABOUT), Qt::LeftButton);
    EXPECT_EQ(Splash(), nullptr);

    commands.Execute(ID_APP_ABOUT);
    QTest::keyClick(frame->centralWidget(), Qt::Key_A);
    EXPECT_EQ(Splash(), nullptr);
}

TEST_F(CMainFrameTest, AboutWindowOpenAtFourSecondsClosesWithTheSplash)
{
    commands.Execute(ID_APP_ABOUT);
    frame->OnTimer(1);
    EXPECT_EQ(Splash(), nullptr);
    // Nothing is left to close: the next click does what it is for.
    QTest::mouseClick(Button(ID_START_SIMULATION), Qt::LeftButton);
    EXPECT_EQ(starts, 1);
}

TEST_F(CMainFrameTest, GotoSiteOpensTheHelpPage)
{
    QList<QUrl> opened;
    InterceptOpenUrl([&](const QUrl &url) { opened << url; });
    EXPECT_TRUE(commands.Action(ID_GOTO_SITE)->isEnabled());
    QTest::mouseClick(Button(ID_GOTO_SITE), Qt::LeftButton);
    InterceptOpenUrl({});
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toString(), QStringLiteral("http://%1//help.htm").arg(MAKER_SITE_HOST));
}

TEST_F(CMainFrameTest, CloseAsksFirstAndClosesTheSplash)
{
    bool allow = false;
    frame->SetCloseQuery([&] { return allow; });
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_TRUE(frame->isVisible());
    allow = true;
    EXPECT_TRUE(frame->close());
}

TEST(SplashWindow, WithoutAPictureShowsNothing)
{
    const CSplashWnd splash { QPixmap() };
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.size(), QSize(0, 0));
}
