#include "editor/sequence_check_wnd.h"

#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

#include <iterator>

namespace
{

constexpr int ROW_ROLE = Qt::UserRole;
constexpr QSize INITIAL_SIZE(560, 240);

// The members of FindingTexts in the order of their string ids.
std::string FindingTexts::*const FINDING_TEXTS[] = {
    &FindingTexts::row,
    &FindingTexts::rows,
    &FindingTexts::inputOff,
    &FindingTexts::inputOn,
    &FindingTexts::inputEither,
    &FindingTexts::timeAbove,
    &FindingTexts::channelAbove,
    &FindingTexts::dimAbove,
    &FindingTexts::fadeAbove,
    &FindingTexts::jumpAbove,
    &FindingTexts::jumpPastEnd,
    &FindingTexts::unknownMovesRows,
    &FindingTexts::jumpLandsOnRow,
    &FindingTexts::jumpLandsOnNoRow,
    &FindingTexts::moreJumps,
    &FindingTexts::unknownDropped,
    &FindingTexts::endlessLoop,
    &FindingTexts::runaway,
    &FindingTexts::unreachableRow,
    &FindingTexts::unreachableRows,
    &FindingTexts::endsWithInputOff,
    &FindingTexts::endlessLoopOne,
};
// All but the decimal point, which comes with the language's numbers.
static_assert(sizeof(FindingTexts) == (std::size(FINDING_TEXTS) + 1) * sizeof(std::string),
    "every finding text has its string id");

QIcon SeverityIcon(FindingSeverity severity)
{
    return QApplication::style()->standardIcon(
        severity == FindingSeverity::Error ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning);
}

} // namespace

FindingTexts LocalFindingTexts()
{
    FindingTexts texts;
    int id = IDS_FINDING_TEXTS;
    for (std::string FindingTexts::*text : FINDING_TEXTS) {
        const QString local = ResourceModule::LoadString(id++);
        if (!local.isEmpty())
            texts.*text = local.toStdString();
    }
    texts.decimalPoint = ResourceModule::InterfaceLocale().decimalPoint().toStdString();
    return texts;
}

QString FindingLine(const Finding &finding)
{
    const int severity = finding.severity == FindingSeverity::Error ? IDS_CHECK_ERROR : IDS_CHECK_WARNING;
    return ResourceModule::LoadString(IDS_CHECK_FINDING)
        .arg(finding.row)
        .arg(ResourceModule::LoadString(severity), QString::fromStdString(finding.text));
}

CSequenceCheckWnd::CSequenceCheckWnd(QWidget *owner, RowChosen rowChosen)
    : QWidget(owner, Qt::Tool)
    , m_intro(new QLabel(ResourceModule::LoadString(IDS_CHECK_INTRO), this))
    , m_list(new QListWidget(this))
    , m_rowChosen(std::move(rowChosen))
{
    setWindowTitle(ResourceModule::LoadString(IDS_CHECK_TITLE));
    m_intro->setWordWrap(true);
    m_list->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
    layout->addWidget(m_list);
    resize(INITIAL_SIZE);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CSequenceCheckWnd::OnItemActivated);
}

void CSequenceCheckWnd::ShowFindings(const std::vector<Finding> &findings)
{
    m_list->clear();
    if (findings.empty())
        m_list->addItem(ResourceModule::LoadString(IDS_CHECK_NO_PROBLEMS));
    for (const Finding &finding : findings) {
        auto *item = new QListWidgetItem(SeverityIcon(finding.severity), FindingLine(finding), m_list);
        item->setData(ROW_ROLE, finding.row);
    }
}

void CSequenceCheckWnd::OnItemActivated(const QListWidgetItem *item)
{
    const QVariant row = item->data(ROW_ROLE);
    if (row.isValid())
        m_rowChosen(row.toInt());
}

void CSequenceCheckWnd::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closed();
}
