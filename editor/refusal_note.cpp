#include "editor/refusal_note.h"

#include "editor/command_display.h"
#include "editor/value_ranges.h"
#include "platform/resource_module.h"
#include "resources/string_ids.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace
{

constexpr int NOTE_MARGIN = 3;

QString Text(int id)
{
    return ResourceModule::LoadString(id);
}

// "1 line does not fit", "5 lines do not fit".
QString LinesPart(int lines)
{
    return lines == 1 ? Text(IDS_NOTE_ONE_LINE_DOES_NOT_FIT) : Text(IDS_NOTE_LINES_DO_NOT_FIT).arg(lines);
}

// "no row is free", "1 row is free", "3 rows are free".
QString FreePart(int freeRows)
{
    if (freeRows <= 1)
        return Text(freeRows == 0 ? IDS_NOTE_NO_ROW_FREE : IDS_NOTE_ONE_ROW_FREE);
    return Text(IDS_NOTE_ROWS_FREE).arg(freeRows);
}

bool EndsTheNote(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::Wheel: return true;
    default: return false;
    }
}

} // namespace

QString RefusalText(const EditRefusal &refusal)
{
    switch (refusal.why) {
    case EditRefusal::Why::TimeOutOfRange:
        return Text(IDS_NOTE_TIME_RANGE).arg(TimeRange().first).arg(TimeRange().last);
    case EditRefusal::Why::ParameterOutOfRange: {
        const ValueRange range = ParameterRange(refusal.letter);
        return Text(IDS_NOTE_PARAMETER_RANGE)
            .arg(QString::fromLatin1(CommandDisplayName(refusal.letter)))
            .arg(range.first)
            .arg(range.last);
    }
    case EditRefusal::Why::LinesDoNotFit:
        return Text(IDS_NOTE_DO_NOT_FIT).arg(LinesPart(refusal.lines), FreePart(refusal.freeRows));
    case EditRefusal::Why::NoLines: return Text(IDS_NOTE_NO_LINES);
    }
    return {};
}

CRefusalNote::CRefusalNote(QWidget *owner)
    : QLabel(owner, Qt::ToolTip)
    , m_owner(owner)
{
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(NOTE_MARGIN);
}

void CRefusalNote::ShowAt(const QString &text, const QPoint &globalPoint)
{
    setText(text);
    setAccessibleName(text);
    adjustSize();
    // Moved in where the screen ends, over the editor rather than off screen.
    QPoint place = globalPoint;
    if (const QScreen *screen = QGuiApplication::screenAt(globalPoint))
        place.setX(std::min(place.x(), screen->availableGeometry().right() + 1 - width()));
    move(place);
    show();
    raise();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    // Watched from the next turn of the event loop on, so that the key or
    // click that led to the refusal does not end the note at once.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            qApp->installEventFilter(this);
    });
}

bool CRefusalNote::eventFilter(QObject *watched, QEvent *event)
{
    const bool ownerLeft
        = watched == m_owner && (event->type() == QEvent::WindowDeactivate || event->type() == QEvent::Hide);
    if (ownerLeft || EndsTheNote(event->type()))
        hide();
    return QLabel::eventFilter(watched, event);
}

void CRefusalNote::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QLabel::hideEvent(event);
}
