#include "StatusRecorder.h"

std::function<void(IWork::WorkStatus)> StatusRecorder::callback() {
    return [this](IWork::WorkStatus status) {
        std::lock_guard<std::mutex> lock(mutex);
        reports_.push_back({status, std::this_thread::get_id()});
    };
}

std::vector<StatusRecorder::Report> StatusRecorder::reports() {
    std::lock_guard<std::mutex> lock(mutex);
    return reports_;
}

int StatusRecorder::count(IWork::WorkStatus status) {
    std::lock_guard<std::mutex> lock(mutex);
    int n = 0;
    for (const Report& report : reports_)
        n += report.status == status ? 1 : 0;
    return n;
}
