#pragma once

#include <QMainWindow>
#include <QPixmap>

#include <functional>
#include <map>
#include <memory>

class CommandTable;
class CSplashWnd;
class QToolBar;

// The main window of Pemblo!: maximised, without menu bar or status bar, the
// simulation view as its client and a toolbar of eight buttons above it. It
// shows the device's splash picture for four seconds at start and again as
// the about window, which the next key or mouse-button press anywhere in the
// application closes without doing anything else.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // Shows the start-up splash, a transient window of the frame, as soon as
    // the frame shows.
    CMainFrame(CommandTable &commands, const QPixmap &splashPicture, QWidget *parent = nullptr);
    ~CMainFrame() override;

    // Puts client (the simulation view) into the maximised frame and builds
    // the toolbar; false when the toolbar images cannot be loaded.
    bool OnCreate(QWidget *client);
    // Asked before the window closes (the document's "save changes?"); the
    // window stays when it answers false.
    void SetCloseQuery(std::function<bool()> query);

    void OnTimer(int id);
    void OnClose();
    void OnAppAbout();
    void OnGotoSite();

    QMenu *createPopupMenu() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend class CMainFrameTest;

    void OnCreateClient(QWidget *client);
    bool CreateToolBar();
    bool PreTranslateMessage(QEvent *event);
    void DestroySplashWnd();
    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);

    CommandTable &m_commands;
    QPixmap m_splashPicture;
    QToolBar *m_toolBar = nullptr;
    std::unique_ptr<CSplashWnd> m_splashWnd;
    bool m_dismissOnInput = false;
    std::function<bool()> m_closeQuery;
    // Our timer ids and the ids Qt gave their timers.
    std::map<int, int> m_timers;
};
