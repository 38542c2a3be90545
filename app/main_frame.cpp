#include "app/main_frame.h"

#include "app/main_frame_keys.h"
#include "app/splash_wnd.h"
#include "app/toolbar_images.h"
#include "core/constants.h"
#include "platform/command_table.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/shell_open.h"
#include "platform/user_press.h"
#include "resources/product.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QTimer>
#include <QTimerEvent>
#include <QToolBar>

#include <algorithm>

namespace
{

constexpr int SPLASH_TIMER = 1;
constexpr int TOOLBAR_ICON_SIZE = 32;
constexpr int SEPARATOR = 0;

// The toolbar buttons in order; the n-th command gets the n-th image.
constexpr int TOOLBAR_LAYOUT[] = { ID_FILE_OPEN, ID_FILE_SAVE_AS, SEPARATOR, ID_START_SIMULATION,
    ID_STOP_SIMULATION, SEPARATOR, ID_UPLOAD, ID_OPEN_EDITOR, SEPARATOR, ID_APP_ABOUT, ID_GOTO_SITE };

QUrl HelpPageUrl()
{
    return QUrl(QStringLiteral("http://%1//help.htm").arg(QLatin1String(MAKER_SITE_HOST)));
}

// "open (Ctrl+O)"; a tooltip without a key stays as it is.
QString WithKey(const QString &toolTip, const QString &key)
{
    return toolTip.isEmpty() || key.isEmpty() ? toolTip : QStringLiteral("%1 (%2)").arg(toolTip, key);
}

} // namespace

CMainFrame::CMainFrame(CommandTable &commands, const QPixmap &splashPicture, QWidget *parent)
    : QMainWindow(parent)
    , m_commands(commands)
    , m_splashPicture(splashPicture)
    , m_splashWnd(std::make_unique<CSplashWnd>(splashPicture, this))
{
    setWindowTitle(ResourceModule::LoadString(IDR_MAINFRAME).section('\n', 0, 0));
    setWindowIcon(ResourceModule::LoadIcon(IDR_MAINFRAME));
    connect(m_commands.Action(ID_APP_ABOUT), &QAction::triggered, this, &CMainFrame::OnAppAbout);
    connect(m_commands.Action(ID_GOTO_SITE), &QAction::triggered, this, &CMainFrame::OnGotoSite);
    m_commands.OnUpdateCommandUI(ID_GOTO_SITE, [](CCmdUI &ui) { ui.Enable(); });
    // Every press in the application passes here first, as every message of
    // the thread passed the main frame's pre-translation.
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
}

bool CMainFrame::OnCreate(QWidget *client)
{
    OnCreateClient(client);
    return CreateToolBar();
}

void CMainFrame::SetCloseQuery(std::function<bool()> query)
{
    m_closeQuery = std::move(query);
}

void CMainFrame::OnCreateClient(QWidget *client)
{
    // Without a window manager nobody maximises the window: it takes the
    // screen itself, and the view has its size as soon as it is shown.
    setGeometry(screen()->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    SetTimer(SPLASH_TIMER, SPLASH_TIME_MS);
    setCentralWidget(client);
}

bool CMainFrame::CreateToolBar()
{
    // The button face is taken once, when the frame is made.
    const std::vector<QIcon> icons = LoadToolbarIcons(palette().color(QPalette::Button));
    const int buttons = int(std::count_if(
        std::begin(TOOLBAR_LAYOUT), std::end(TOOLBAR_LAYOUT), [](int id) { return id != SEPARATOR; }));
    if (int(icons.size()) < buttons)
        return false;

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setIconSize(QSize(TOOLBAR_ICON_SIZE, TOOLBAR_ICON_SIZE));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // With no menu bar nothing could bring the toolbar back: it stays where
    // it is, docked at the top.
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    int image = 0;
    for (int id : TOOLBAR_LAYOUT) {
        if (id == SEPARATOR) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction *action = m_commands.Action(id);
        const QString toolTip = ResourceModule::LoadToolTip(id);
        action->setIcon(icons[image++]);
        // An action without a text shows no tooltip, as a string without a
        // tooltip part asks. The text is also the button's name for a
        // screen reader.
        action->setText(toolTip);
        action->setToolTip(WithKey(toolTip, KeyTextOf(id)));
        action->setStatusTip(ResourceModule::LoadString(id).section('\n', 0, 0));
        m_toolBar->addAction(action);
        // Tab reaches the buttons; Space and Return press them.
        m_toolBar->widgetForAction(action)->setFocusPolicy(Qt::TabFocus);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_commands.UpdateCommandUI();
    return true;
}

// The frame's own menu would only offer to hide the toolbar.
QMenu *CMainFrame::createPopupMenu()
{
    return nullptr;
}

void CMainFrame::OnTimer(int id)
{
    if (id != SPLASH_TIMER)
        return;
    DestroySplashWnd();
    KillTimer(SPLASH_TIMER);
}

void CMainFrame::OnClose()
{
    DestroySplashWnd();
}

void CMainFrame::OnAppAbout()
{
    DestroySplashWnd();
    m_splashWnd = std::make_unique<CSplashWnd>(m_splashPicture, this);
    m_dismissOnInput = true;
}

void CMainFrame::OnGotoSite()
{
    OpenUrl(HelpPageUrl());
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    return PreTranslateMessage(event) || QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::PreTranslateMessage(QEvent *event)
{
    if (!m_dismissOnInput)
        return false;
    // A key that is a shortcut somewhere must not act either: claim it, so
    // that it arrives as the key press that closes the window.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (!IsUserPress(event->type()))
        return false;
    DestroySplashWnd();
    return true;
}

void CMainFrame::timerEvent(QTimerEvent *event)
{
    for (const auto &[id, qtId] : m_timers)
        if (qtId == event->timerId()) {
            OnTimer(id);
            return;
        }
    QMainWindow::timerEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    OnClose();
    if (m_closeQuery && !m_closeQuery()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    // The program ends with its main window, whatever other window is still
    // open: the LED Editor's, Generate, Check sequence or Export animation,
    // which go with the document.
    QCoreApplication::exit(0);
}

void CMainFrame::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The start-up splash, a transient window of this one, waits for it:
    // a compositor places a transient window only by a parent it shows.
    // Without a window manager nothing keeps the splash above the windows
    // shown after it; lift it once the start-up has shown them all.
    QTimer::singleShot(0, this, [this] {
        if (m_splashWnd && !m_splashWnd->isVisible())
            m_splashWnd->ShowWindow();
        if (m_splashWnd)
            m_splashWnd->raise();
    });
}

void CMainFrame::DestroySplashWnd()
{
    m_splashWnd.reset();
    // With the window gone there is nothing for a press to close: it must
    // not be swallowed.
    m_dismissOnInput = false;
}

void CMainFrame::SetTimer(int id, int milliseconds)
{
    KillTimer(id);
    m_timers[id] = startTimer(milliseconds);
}

void CMainFrame::KillTimer(int id)
{
    const auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    killTimer(it->second);
    m_timers.erase(it);
}
