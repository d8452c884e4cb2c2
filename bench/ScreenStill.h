#pragma once
// The longest the screen's thread goes without a turn of its events: a timer
// on it notes each turn it gets, every `interval` ms at the most.
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

class ScreenStill {
public:
    explicit ScreenStill(int interval)
    {
        QObject::connect(&turn_, &QTimer::timeout, [this] { Turn(); });
        turn_.start(interval);
        since_.start();
    }
    qint64 Elapsed() const { return since_.elapsed(); }
    // The longest so far, the stretch since the last turn included.
    qint64 Longest()
    {
        Turn();
        return longest_;
    }

private:
    void Turn()
    {
        longest_ = std::max(longest_, since_.elapsed() - last_);
        last_ = since_.elapsed();
    }
    QTimer turn_;
    QElapsedTimer since_;
    qint64 last_ = 0, longest_ = 0;
};
