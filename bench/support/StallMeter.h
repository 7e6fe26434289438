#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>

// How long the GUI thread went without turning a 10 ms heartbeat while the meter ran: the
// longest gap beyond the heartbeat's own period.
class StallMeter {
public:
    StallMeter() {
        heartbeat_.setInterval(10);
        QObject::connect(&heartbeat_, &QTimer::timeout, [this] {
            worstMs_ = std::max(worstMs_, beat_.nsecsElapsed() / 1e6);
            beat_.restart();
        });
    }
    void start() {
        worstMs_ = 0;
        beat_.start();
        heartbeat_.start();
    }
    double stopMs() {
        heartbeat_.stop();
        return std::max(0.0, worstMs_ - 10.0);
    }

private:
    QTimer heartbeat_;
    QElapsedTimer beat_;
    double worstMs_ = 0;
};
