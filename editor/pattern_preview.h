#pragma once

#include "core/row_table.h"
#include "core/sequence_interpreter.h"

#include <QBasicTimer>
#include <QWidget>

#include <array>
#include <vector>

// A row of eight small LEDs running a few rows as the device does, over and
// over, at the device's pace: the preview of a generated pattern. It runs
// only while shown and repaints only the LEDs whose level changed.
class CPatternPreview : public QWidget
{
public:
    explicit CPatternPreview(QWidget *parent = nullptr);

    // Runs these rows from their start, and again once they are through;
    // no rows leave the LEDs dark.
    void SetRows(const std::vector<SequenceRow> &rows);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Runs one tick of 12 ms.
    void Tick();
    QRect LedRect(int channel) const;
    void ShowLevels();

    RowTable m_rows;
    SequenceInterpreter m_interpreter { m_rows };
    bool m_running = false;
    std::array<int, CHANNEL_COUNT> m_levels {};
    QBasicTimer m_timer;
};
