#pragma once

#include "IWork.h"

#include <QObject>
#include <cstddef>
#include <functional>
#include <vector>

// The one-key scan of the home page: the scans of its steps one after another. A step
// whose work does not start (not installed, no account, refused, not built) is passed over
// at once, so the sequence never waits for a scan that will not come; only the finished
// status of the scan the current step started moves it on, so a late status of an
// earlier scan, or of a scan started on its own page, changes nothing. After the user
// quits no further step starts.
class OneKeyScan : public QObject {
    Q_OBJECT
public:
    struct Step {
        IWork* work = nullptr; // null: not built, always passed over
        int homeRow = 0;
    };
    // How a step shows on the home page while its scan runs.
    using RowAnimation = std::function<void(int homeRow, bool running)>;

    OneKeyScan(std::vector<Step> steps, RowAnimation animate, QObject* parent = nullptr);

    bool running() const { return running_; }
    // Steps done (finished or passed over) since the last start.
    int finishedSteps() const { return finished_; }

    void start();
    // Asks every step's work to stop; the scan in hand ends with its ordinary status, and
    // no further step starts.
    void cancel();

    // Every status the window receives, as it arrives (before it is shown).
    void statusSeen(IWork::WorkStatus ws);
    // A scan's end has been shown on its page.
    void scanFinished(IWork::WorkStatus ws);

signals:
    void runningChanged(bool running);

private:
    struct Counts {
        int started = 0;
        int finished = 0;
    };

    // Starts the steps from `index` on until one really scans, or ends the sequence.
    void runFrom(std::size_t index);
    void end();
    std::size_t stepOf(IWork::WorkStatus ws, bool& started, bool& finished) const;

    std::vector<Step> steps_;
    std::vector<Counts> counts_;
    RowAnimation animate_;
    bool running_ = false;
    int finished_ = 0;
    std::size_t current_ = 0;
    // The count of finished scans of the current step's work at which its own scan is over.
    int awaited_ = 0;
};
