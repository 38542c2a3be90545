#include "editor/pattern_preview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>

namespace
{

constexpr int LED_DIAMETER = 18;
constexpr int LED_SPACING = 26;
constexpr int MARGIN = 4;
// Two ticks per wake-up keep the device's pace at half the wake-ups.
constexpr int TICKS_PER_TIMER = 2;
// A dark LED and a fully lit one, as the device picture shows them.
constexpr QRgb DARK_LED = qRgb(0x3B, 0x2A, 0x1E);
constexpr QRgb LIT_LED = qRgb(0xFF, 0xB3, 0x47);

int Mix(int dark, int lit, int level)
{
    return dark + (lit - dark) * level / MAX_LED_LEVEL;
}

QColor LedColour(int level)
{
    return QColor(Mix(qRed(DARK_LED), qRed(LIT_LED), level), Mix(qGreen(DARK_LED), qGreen(LIT_LED), level),
        Mix(qBlue(DARK_LED), qBlue(LIT_LED), level));
}

} // namespace

CPatternPreview::CPatternPreview(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPatternPreview::SetRows(const std::vector<SequenceRow> &rows)
{
    m_rows.Clear();
    for (const SequenceRow &row : rows)
        m_rows.Append(row);
    m_running = !rows.empty() && m_rows.Append({ 1, 0, 0, CMD_GOTO, 0 });
    m_interpreter.Reset();
    m_levels.fill(0);
    update();
}

void CPatternPreview::Tick()
{
    if (m_running && !m_interpreter.Step(0))
        m_running = false;
    if (m_running)
        ShowLevels();
}

void CPatternPreview::ShowLevels()
{
    const SequenceInterpreter::Outputs &outputs = m_interpreter.GetOutputs();
    for (int channel = 0; channel < CHANNEL_COUNT; ++channel) {
        int &shown = m_levels[static_cast<std::size_t>(channel)];
        if (shown != outputs[static_cast<std::size_t>(channel)]) {
            shown = outputs[static_cast<std::size_t>(channel)];
            update(LedRect(channel));
        }
    }
}

QRect CPatternPreview::LedRect(int channel) const
{
    return QRect(MARGIN + channel * LED_SPACING, MARGIN, LED_DIAMETER, LED_DIAMETER);
}

QSize CPatternPreview::sizeHint() const
{
    return QSize(2 * MARGIN + (CHANNEL_COUNT - 1) * LED_SPACING + LED_DIAMETER, 2 * MARGIN + LED_DIAMETER);
}

void CPatternPreview::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    for (int channel = 0; channel < CHANNEL_COUNT; ++channel) {
        if (!event->rect().intersects(LedRect(channel)))
            continue;
        painter.setBrush(LedColour(m_levels[static_cast<std::size_t>(channel)]));
        painter.drawEllipse(LedRect(channel));
    }
}

void CPatternPreview::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return QWidget::timerEvent(event);
    for (int tick = 0; tick < TICKS_PER_TIMER; ++tick)
        Tick();
}

void CPatternPreview::showEvent(QShowEvent *event)
{
    m_timer.start(TICKS_PER_TIMER * TICK_MS, this);
    QWidget::showEvent(event);
}

void CPatternPreview::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}
