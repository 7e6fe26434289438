#pragma once

#include "Work_DuplicateFile.h"

#include <QSemaphore>
#include <atomic>

// The duplicate work, whose scan workers wait before they read each set of same-size files
// while `hold` is set, until the test lets them on. Whoever holds must let go before the
// work goes (release()), so that no worker is left waiting.
class HeldDuplicateWork : public Work_DuplicateFile {
public:
    using Work_DuplicateFile::Work_DuplicateFile;

    std::atomic<bool> hold{false};
    QSemaphore reached;
    QSemaphore goOn;

    // Stops holding and lets every waiting worker on.
    void release();

protected:
    void BeforeReading() override;
};
