#include "led_editor_wnd_test.h"

#include "core/sequence_row.h"
#include "editor/led_editor_accessible.h"

#include <QAccessible>

TEST_F(LedEditorWndTest, AScreenReaderSeesTheGridAsATableOfNamedCells)
{
    auto editor = Editor(3, 232, 200);
    editor->m_rows[0] = { 0, 0x05, 20, 0, 0 };
    editor->m_rows[1] = { 1, 0, 0, CMD_GOTO, 3 };
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(editor.get());
    ASSERT_NE(grid, nullptr);
    QAccessibleTableInterface *table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    EXPECT_EQ(grid->text(QAccessible::Name), "LED Editor");
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->columnCount(), 10);
    EXPECT_EQ(table->columnDescription(9), "channel 8");

    const int parameterColumn = 2 + ParameterChannel(8, EDITOR_CELL_WIDTH);
    const struct {
        int row, column;
        QString name;
        int firstColumn, extent;
    } rows[] = {
        { 0, 0, "0", 0, 1 },
        { 0, 1, "20", 1, 1 },
        { 0, 2, "on", 2, 1 },
        { 0, 3, "off", 3, 1 },
        { 0, 4, "on", 4, 1 },
        { 1, 1, "CMD", 1, 1 },
        // A command's name and parameter cover the channel columns.
        { 1, 3, "GOTO", 2, parameterColumn - 2 },
        { 1, 9, "3", parameterColumn, 10 - parameterColumn },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.row << " column " << row.column);
        QAccessibleInterface *cell = table->cellAt(row.row, row.column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text(QAccessible::Name), row.name);
        EXPECT_EQ(cell->tableCellInterface()->columnIndex(), row.firstColumn);
        EXPECT_EQ(cell->tableCellInterface()->columnExtent(), row.extent);
        // Asked again, the same cell answers.
        EXPECT_EQ(table->cellAt(row.row, row.column), cell);
    }
    EXPECT_EQ(table->cellAt(3, 0), nullptr);
    EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Description), "row 0, time 20, channels 1 and 3 on");
}

TEST(LedEditorAccessible, ALineIsSummedUpAsAScreenReaderReadsIt)
{
    const struct {
        SequenceRow row;
        QString summary;
    } rows[] = {
        { { 0, 0x00, 5, 0, 0 }, "row 3, time 5, no channel on" },
        { { 0, 0x80, 5, 0, 0 }, "row 3, time 5, channel 8 on" },
        { { 0, 0x0b, 20, 0, 0 }, "row 3, time 20, channels 1, 2 and 4 on" },
        { { 1, 0, 0, CMD_GOTO, 7 }, "row 3, GOTO 7" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.summary.toStdString());
        EXPECT_EQ(LineSummary(row.row, 3, 8), row.summary);
    }
}
