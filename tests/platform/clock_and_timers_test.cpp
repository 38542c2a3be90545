#include "platform/view.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <vector>

namespace
{

class TimerView : public CView
{
public:
    void OnDraw(QPainter &) override { }
    void OnTimer(int id) override { fired.push_back(id); }
    std::vector<int> fired;
};

TEST(WindowTimers, ReachTheViewsHandlerByOurIdAndRestartWhenSetAgain)
{
    TimerView view;
    view.SetTimer(7, 1);
    view.SetTimer(7, 1);
    view.SetTimer(3, 100000);
    const QDeadlineTimer deadline(5000);
    while (view.fired.size() < 3 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    view.KillTimer(7);
    const std::size_t firedBeforeKill = view.fired.size();
    const QDeadlineTimer quiet(30);
    while (!quiet.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);

    ASSERT_GE(view.fired.size(), 3u);
    EXPECT_EQ(view.fired, std::vector<int>(view.fired.size(), 7))
        << "one timer 7, none of the first left over";
    EXPECT_EQ(view.fired.size(), firedBeforeKill);
}

} // namespace
