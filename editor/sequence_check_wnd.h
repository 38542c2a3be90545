#pragma once

#include "core/sequence_checker.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QListWidget;
class QListWidgetItem;

// The sentences of the findings in the current language.
FindingTexts LocalFindingTexts();

// A finding as one line in the current language: "row 5: error: ...".
QString FindingLine(const Finding &finding);

// The findings of the sequence checker in a small tool window beside the LED
// Editor, which stays open while the user keeps editing. A double-click on a
// finding hands its row to the owner.
class CSequenceCheckWnd : public QWidget
{
    Q_OBJECT

public:
    using RowChosen = std::function<void(int row)>;

    CSequenceCheckWnd(QWidget *owner, RowChosen rowChosen);

    // Replaces the list; with no findings it says there are no problems.
    void ShowFindings(const std::vector<Finding> &findings);

signals:
    // The user closed the window: the keyboard goes back to the owner.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void OnItemActivated(const QListWidgetItem *item);

    QLabel *m_intro;
    QListWidget *m_list;
    RowChosen m_rowChosen;
};
