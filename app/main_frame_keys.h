#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class CommandTable;
class QWidget;

// A key of the main window and the command it gives.
struct MainWindowKey {
    const char *keys;
    int command;
    // Whether it acts in the LED Editor too: only keys its accelerator
    // table leaves free, and not those that concern the main window alone.
    bool inEditor;
};

// F6: moves the keyboard between the main window and the LED Editor.
inline constexpr int ID_NEXT_WINDOW = -1;

const std::vector<MainWindowKey> &MainWindowKeys();
// The key of a command as its tooltip shows it, empty for a command without
// one.
QString KeyTextOf(int command);

// The main window's keys at work. Each runs its toolbar command through the
// command table, so it follows the command's enable rule. They act in the
// main window and, as far as MainWindowKey::inEditor allows, in the LED
// Editor; a key another window claims first (the editor's accelerators, the
// open about window) never reaches them. Return presses the toolbar button
// that has the focus. Until the user presses something,
// an editor opened with the program does not take the keyboard from the
// main window.
class MainFrameKeys : public QObject
{
public:
    using EditorWindow = std::function<QWidget *()>;

    MainFrameKeys(CommandTable &commands, QWidget &frame, EditorWindow editorWindow);
    ~MainFrameKeys() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AddShortcuts(QWidget &window, bool editor);
    void Run(int command);
    // The open editor's window, or null.
    QWidget *VisibleEditor() const;
    void OpenOrActivateEditor();
    void SwitchWindow();
    void OnWindowActivate(QObject *watched);

    CommandTable &m_commands;
    QWidget &m_frame;
    EditorWindow m_editorWindow;
    // The editor window whose shortcuts are made; a new editor gets its own.
    QPointer<QWidget> m_keyedEditor;
    bool m_userPressed = false;
};
