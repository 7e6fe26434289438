#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>

// The longest time the GUI thread went without turning its event loop, from construction
// to stopMs(): a 10 ms heartbeat measures the gaps, and its own period is taken off.
class StallMeter {
public:
    StallMeter() {
        heartbeat_.setInterval(10);
        QObject::connect(&heartbeat_, &QTimer::timeout, [this] {
            worstMs_ = std::max(worstMs_, beat_.nsecsElapsed() / 1e6);
            beat_.restart();
        });
        beat_.start();
        heartbeat_.start();
    }
    double stopMs() {
        heartbeat_.stop();
        return std::max(0.0, worstMs_ - 10.0);
    }

private:
    QElapsedTimer beat_;
    QTimer heartbeat_;
    double worstMs_ = 0;
};
