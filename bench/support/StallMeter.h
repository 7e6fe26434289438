#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

// The longest time the GUI thread went without turning its event loop, from construction
// to stopMs(): a 10 ms heartbeat measures the gaps, and its own period is taken off.
// With MERIVANE_STALL_TRACE set, every gap over 50 ms is written to standard error with the
// moment it ended, counted from the construction, to find which part of a run stalls.
class StallMeter {
public:
    StallMeter() : trace_(std::getenv("MERIVANE_STALL_TRACE") != nullptr) {
        heartbeat_.setInterval(10);
        QObject::connect(&heartbeat_, &QTimer::timeout, [this] {
            const double gapMs = beat_.nsecsElapsed() / 1e6;
            worstMs_ = std::max(worstMs_, gapMs);
            if (trace_ && gapMs - 10.0 > 50.0)
                std::fprintf(stderr, "stall: %.1f ms, ending %.1f ms into the run\n",
                             gapMs - 10.0, sinceStart_.nsecsElapsed() / 1e6);
            beat_.restart();
        });
        sinceStart_.start();
        beat_.start();
        heartbeat_.start();
    }
    double stopMs() {
        heartbeat_.stop();
        return std::max(0.0, worstMs_ - 10.0);
    }

private:
    const bool trace_;
    QElapsedTimer sinceStart_;
    QElapsedTimer beat_;
    QTimer heartbeat_;
    double worstMs_ = 0;
};
