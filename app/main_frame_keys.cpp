#include "app/main_frame_keys.h"

#include "platform/command_table.h"
#include "platform/resource_ids.h"
#include "platform/user_press.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QToolButton>
#include <QWidget>

const std::vector<MainWindowKey> &MainWindowKeys()
{
    // Ctrl+S is the editor's mirror, and opening a file or the editor
    // concerns the main window.
    static const std::vector<MainWindowKey> keys {
        { "Ctrl+O", ID_FILE_OPEN, false },
        { "Ctrl+S", ID_FILE_SAVE, false },
        { "Ctrl+Shift+S", ID_FILE_SAVE_AS, true },
        { "F5", ID_START_SIMULATION, true },
        { "Shift+F5", ID_STOP_SIMULATION, true },
        { "Ctrl+U", ID_UPLOAD, true },
        { "Ctrl+E", ID_OPEN_EDITOR, false },
        { "F6", ID_NEXT_WINDOW, true },
        { "F1", ID_GOTO_SITE, true },
        { "Ctrl+Q", ID_APP_EXIT, true },
    };
    return keys;
}

QString KeyTextOf(int command)
{
    for (const MainWindowKey &key : MainWindowKeys())
        if (key.command == command)
            return QKeySequence(QString::fromLatin1(key.keys)).toString(QKeySequence::NativeText);
    return {};
}

namespace
{

// Return presses a toolbar button that has the focus, as Space does. It
// watches the buttons themselves, so that the application's filters, the
// open about window's among them, see the key first.
class ReturnPressesButton : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *button = qobject_cast<QToolButton *>(watched);
        if (!button || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        button->click();
        return true;
    }
};

void Activate(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

MainFrameKeys::MainFrameKeys(CommandTable &commands, QWidget &frame, EditorWindow editorWindow)
    : QObject(&frame)
    , m_commands(commands)
    , m_frame(frame)
    , m_editorWindow(std::move(editorWindow))
{
    AddShortcuts(frame, false);
    auto *returnPresses = new ReturnPressesButton(this);
    for (QToolButton *button : frame.findChildren<QToolButton *>())
        button->installEventFilter(returnPresses);
    qApp->installEventFilter(this);
}

MainFrameKeys::~MainFrameKeys()
{
    qApp->removeEventFilter(this);
}

void MainFrameKeys::AddShortcuts(QWidget &window, bool editor)
{
    for (const MainWindowKey &key : MainWindowKeys()) {
        if (editor && !key.inEditor)
            continue;
        auto *shortcut = new QShortcut(QKeySequence(QString::fromLatin1(key.keys)), &window);
        const int command = key.command;
        connect(shortcut, &QShortcut::activated, this, [this, command] { Run(command); });
    }
}

void MainFrameKeys::Run(int command)
{
    switch (command) {
    case ID_NEXT_WINDOW: SwitchWindow(); break;
    case ID_OPEN_EDITOR: OpenOrActivateEditor(); break;
    case ID_APP_EXIT: m_frame.close(); break;
    default: m_commands.Execute(command); break;
    }
}

QWidget *MainFrameKeys::VisibleEditor() const
{
    QWidget *editor = m_editorWindow();
    return editor && editor->isVisible() ? editor : nullptr;
}

// With the editor open its command is disabled; the key then fetches it.
void MainFrameKeys::OpenOrActivateEditor()
{
    if (QWidget *editor = VisibleEditor())
        Activate(*editor);
    else
        m_commands.Execute(ID_OPEN_EDITOR);
}

void MainFrameKeys::SwitchWindow()
{
    QWidget *editor = VisibleEditor();
    if (editor && !editor->isActiveWindow())
        Activate(*editor);
    else
        Activate(m_frame);
}

bool MainFrameKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (IsUserPress(event->type()) || event->type() == QEvent::ShortcutOverride)
        m_userPressed = true;
    else if (event->type() == QEvent::WindowActivate)
        OnWindowActivate(watched);
    return QObject::eventFilter(watched, event);
}

void MainFrameKeys::OnWindowActivate(QObject *watched)
{
    QWidget *editor = m_editorWindow();
    if (!editor || watched != editor)
        return;
    if (m_keyedEditor != editor) {
        m_keyedEditor = editor;
        AddShortcuts(*editor, true);
    }
    // Qt leaves a window without focus when the keyboard comes from another
    // window of the program that had it: the lines take it.
    if (!editor->focusWidget())
        editor->setFocus(Qt::ActiveWindowFocusReason);
    // The window manager gives a newly shown window the keyboard; at start
    // it stays with the main window.
    if (!m_userPressed)
        m_frame.activateWindow();
}
