#include "editor/led_editor_accessible.h"

#include "core/constants.h"
#include "editor/command_display.h"
#include "editor/editor_layout.h"
#include "editor/led_editor_wnd.h"
#include "platform/resource_module.h"
#include "resources/string_ids.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <map>
#include <utility>

namespace
{

// Columns before the channels: the index and the time.
constexpr int LEADING_COLUMNS = 2;

QString Text(int id)
{
    return ResourceModule::LoadString(id);
}

bool IsOn(const SequenceRow &row, int channel)
{
    return (row.pattern >> channel & 1U) != 0;
}

// "channels 1, 2 and 3 on", "channel 4 on", "no channel on".
QString ChannelsOn(const SequenceRow &row, int channelCount)
{
    QStringList on;
    for (int channel = 0; channel < channelCount; ++channel)
        if (IsOn(row, channel))
            on << QString::number(channel + 1);
    if (on.isEmpty())
        return Text(IDS_ACCESS_NO_CHANNEL_ON);
    if (on.size() == 1)
        return Text(IDS_ACCESS_CHANNEL_ON).arg(on.front());
    const QString last = on.takeLast();
    return Text(IDS_ACCESS_CHANNELS_ON).arg(Text(IDS_ACCESS_AND).arg(on.join(QStringLiteral(", ")), last));
}

// The first and last column of the cell that covers `column` of a line.
std::pair<int, int> CellSpan(const SequenceRow &row, int column, int channelCount, int cellWidth)
{
    if (!row.isCommand || column < LEADING_COLUMNS)
        return { column, column };
    const int parameter = LEADING_COLUMNS + ParameterChannel(channelCount, cellWidth);
    const int lastColumn = LEADING_COLUMNS + channelCount - 1;
    return column < parameter ? std::pair { LEADING_COLUMNS, parameter - 1 }
                              : std::pair { parameter, lastColumn };
}

// A cell of the grid; the table makes each once and keeps it while the
// rows' count stays.
class LedEditorCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    LedEditorCell(CLedEditorWnd *editor, int line, int column)
        : m_editor(editor)
        , m_line(line)
        , m_column(column)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this)
                                                       : nullptr;
    }

    bool isValid() const override { return m_editor && m_line < m_editor->m_rowCount; }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_editor); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override { }
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text which) const override
    {
        if (!isValid())
            return {};
        const SequenceRow &row = Row();
        switch (which) {
        case QAccessible::Name: return CellText(row, m_line, m_column, m_editor->ChannelCount());
        case QAccessible::Description: return LineSummary(row, m_line, m_editor->ChannelCount());
        default: return {};
        }
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cells = m_editor->CellsRect(m_line, m_column, m_column + columnExtent() - 1);
        return QRect(m_editor->mapToGlobal(cells.topLeft()), cells.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        if (!isValid())
            return state;
        state.selected = isSelected();
        state.focused = m_editor->hasFocus() && m_editor->CurrentLine() == m_line;
        return state;
    }

    bool isSelected() const override { return isValid() && m_editor->IsLineSelected(m_line); }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_line; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    int columnExtent() const override
    {
        if (!isValid())
            return 1;
        const auto [first, last] = CellSpan(Row(), m_column, m_editor->ChannelCount(), EDITOR_CELL_WIDTH);
        return last - first + 1;
    }

private:
    const SequenceRow &Row() const { return m_editor->m_rows[static_cast<std::size_t>(m_line)]; }

    QPointer<CLedEditorWnd> m_editor;
    int m_line;
    int m_column;
};

class LedEditorAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit LedEditorAccessible(CLedEditorWnd *editor)
        : QAccessibleWidget(editor, QAccessible::Table, Text(IDS_ACCESS_EDITOR))
    {
    }

    ~LedEditorAccessible() override { ForgetCells(); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The cells are the children; the scroll bar is no part of the table.
    int childCount() const override { return rowCount() * columnCount(); }

    QAccessibleInterface *child(int index) const override
    {
        const int columns = columnCount();
        return index < 0 || columns == 0 ? nullptr : cellAt(index / columns, index % columns);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (QAccessibleTableCellInterface *cell
            = const_cast<QAccessibleInterface *>(child)->tableCellInterface())
            return cell->rowIndex() * columnCount() + cell->columnIndex();
        return -1;
    }

    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    // The first cell of the line the keyboard is on.
    QAccessibleInterface *focusChild() const override
    {
        const int line = Editor()->CurrentLine();
        return Editor()->hasFocus() && line >= 0 ? cellAt(line, 0) : nullptr;
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }

    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        const SequenceRow &line = Editor()->m_rows[static_cast<std::size_t>(row)];
        const int first = CellSpan(line, column, Editor()->ChannelCount(), EDITOR_CELL_WIDTH).first;
        auto it = m_cells.find({ row, first });
        if (it == m_cells.end()) {
            QAccessibleInterface *cell = new LedEditorCell(Editor(), row, first);
            it = m_cells.emplace(std::pair { row, first }, QAccessible::registerAccessibleInterface(cell))
                     .first;
        }
        return QAccessible::accessibleInterface(it->second);
    }

    int columnCount() const override { return LEADING_COLUMNS + Editor()->ChannelCount(); }
    int rowCount() const override { return std::clamp(Editor()->m_rowCount, 0, MAX_ROWS); }

    QString columnDescription(int column) const override
    {
        if (column == 0)
            return Text(IDS_ACCESS_INDEX_COLUMN);
        if (column == 1)
            return Text(IDS_ACCESS_TIME_COLUMN);
        return Text(IDS_ACCESS_CHANNEL_COLUMN).arg(column - LEADING_COLUMNS + 1);
    }

    QString rowDescription(int row) const override
    {
        if (row < 0 || row >= rowCount())
            return {};
        return LineSummary(Editor()->m_rows[static_cast<std::size_t>(row)], row, Editor()->ChannelCount());
    }

    QList<int> selectedRows() const override
    {
        QList<int> rows;
        for (int row = 0; row < rowCount(); ++row)
            if (Editor()->IsLineSelected(row))
                rows << row;
        return rows;
    }

    int selectedRowCount() const override { return int(selectedRows().size()); }
    bool isRowSelected(int row) const override
    {
        return row >= 0 && row < rowCount() && Editor()->IsLineSelected(row);
    }
    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }

    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (const int row : selectedRows())
            for (int column = 0; column < columnCount(); ++column)
                cells << cellAt(row, column);
        return cells;
    }

    // Whole lines are selected, never columns; selecting is the keyboard's.
    int selectedColumnCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    // Rows came or went: every cell after them would be another.
    void modelChange(QAccessibleTableModelChangeEvent *) override { ForgetCells(); }

private:
    CLedEditorWnd *Editor() const { return static_cast<CLedEditorWnd *>(widget()); }

    void ForgetCells()
    {
        for (const auto &[place, id] : m_cells)
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};

QAccessibleInterface *LedEditorFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("CLedEditorWnd") && object && object->isWidgetType())
        return new LedEditorAccessible(static_cast<CLedEditorWnd *>(object));
    return nullptr;
}

} // namespace

void InstallLedEditorAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(LedEditorFactory);
        return true;
    }();
    (void)installed;
}

int ParameterChannel(int channelCount, int cellWidth)
{
    // Where the painted parameter cell starts does not depend on the window.
    int scrollPos = 0;
    const EditorLayout layout
        = ComputeLayout({ 1, EDITOR_ROW_HEIGHT, cellWidth, channelCount }, { 0, 0, 0, 0 }, scrollPos);
    return std::clamp((layout.paramLeft - layout.channelLeft) / std::max(1, cellWidth), 0, channelCount);
}

QString CellText(const SequenceRow &row, int line, int column, int channelCount)
{
    if (column == 0)
        return QString::number(line);
    if (column == 1)
        return QString::fromStdString(TimeCellText(row));
    if (row.isCommand) {
        const int parameter = LEADING_COLUMNS + ParameterChannel(channelCount, EDITOR_CELL_WIDTH);
        return column < parameter ? QString::fromLatin1(CommandDisplayName(row.command))
                                  : QString::fromStdString(CommandParameterText(row.command, row.parameter));
    }
    return Text(IsOn(row, column - LEADING_COLUMNS) ? IDS_ACCESS_ON : IDS_ACCESS_OFF);
}

QString LineSummary(const SequenceRow &row, int line, int channelCount)
{
    if (row.isCommand)
        return Text(IDS_ACCESS_COMMAND_ROW)
            .arg(line)
            .arg(QString::fromLatin1(CommandDisplayName(row.command)),
                QString::fromStdString(CommandParameterText(row.command, row.parameter)))
            .trimmed();
    return Text(IDS_ACCESS_PATTERN_ROW).arg(line).arg(row.time).arg(ChannelsOn(row, channelCount));
}

void ReportFocusedLine(CLedEditorWnd &editor, int line)
{
    if (!QAccessible::isActive() || line < 0)
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&editor);
    QAccessibleInterface *cell
        = table && table->tableInterface() ? table->tableInterface()->cellAt(line, 0) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void ReportRowCountChange(CLedEditorWnd &editor, int first, int before, int after)
{
    if (!QAccessible::isActive() || before == after)
        return;
    const bool inserted = after > before;
    QAccessibleTableModelChangeEvent event(&editor,
        inserted ? QAccessibleTableModelChangeEvent::RowsInserted
                 : QAccessibleTableModelChangeEvent::RowsRemoved);
    event.setFirstRow(first);
    event.setLastRow(first + std::abs(after - before) - 1);
    QAccessible::updateAccessibility(&event);
}
