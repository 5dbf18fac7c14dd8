#pragma once
// The longest pause of the GUI thread's event loop while it is watched: a 5 ms
// timer notes how long it waited between its turns. A figure for the README,
// printed by the tests, never a pass/fail condition.
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace velk::test {

class LoopWatch {
public:
    LoopWatch()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (clock_.isValid())
                longest_ = std::max(longest_, clock_.restart());
            else
                clock_.start();
        });
        timer_.start();
    }
    qint64 LongestMs() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

}  // namespace velk::test
