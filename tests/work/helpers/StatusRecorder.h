#pragma once

#include "IWork.h"

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Collects the statuses a work reports, with the thread each came from.
class StatusRecorder {
public:
    struct Report {
        IWork::WorkStatus status;
        std::thread::id thread;
    };

    std::function<void(IWork::WorkStatus)> callback();
    std::vector<Report> reports();
    int count(IWork::WorkStatus status);

private:
    std::mutex mutex;
    std::vector<Report> reports_;
};
