#pragma once

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

// The LED Editor's context menu, from menu resource 149 of the current
// language: popup "KM1E" for one selected line, "KM2E" for several, with
// the same commands and a "Trace" item whose check both show. Both end with
// "Undo <step>" and "Redo <step>", disabled when there is no such step.
class EditorContextMenu
{
public:
    // How a popup is shown and waits for the user's choice; tests replace it
    // so as not to wait.
    using ExecHook = std::function<QAction *(QMenu &popup, const QPoint &globalPos)>;

    explicit EditorContextMenu(QWidget *owner);
    ~EditorContextMenu();

    void SetTrace(bool on);
    // The names of the steps Undo and Redo would take; empty for none.
    void SetHistory(const QString &undoStep, const QString &redoStep);
    // Shows the popup for one or several lines at a screen point; the
    // command id of the item chosen, nullopt when none was.
    std::optional<int> Track(bool severalLines, const QPoint &globalPos);

    void SetExecHook(ExecHook hook) { m_exec = std::move(hook); }

private:
    // The popups are made when first shown: menus are windows of their own.
    void Load();
    void CheckTrace();
    void NameHistoryItems();

    // An Undo or Redo item, with the text and key name it has without a step.
    struct HistoryItem {
        QAction *action;
        QString text;
        QString key;
    };

    static constexpr int POPUPS = 2;
    QWidget *m_owner;
    bool m_trace = true;
    bool m_loaded = false;
    std::unique_ptr<QMenu> m_popups[POPUPS];
    ExecHook m_exec;
    QString m_undoStep;
    QString m_redoStep;
    std::vector<HistoryItem> m_historyItems;
};
