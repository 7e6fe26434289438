#include "WorkBroker.h"

#include <utility>

WorkBroker* workBroker = nullptr;

WorkBroker::WorkBroker(QObject* parent) : QObject(parent) {}

std::function<void(IWork::WorkStatus)> WorkBroker::StatusCallback() {
    return [](IWork::WorkStatus status) {
        if (workBroker)
            emit workBroker->OnCCleanStatusChanging(status);
    };
}

std::function<void(fs::directory_entry, IWork::_WorkInfo&)> WorkBroker::ProgressCallback() {
    return [](fs::directory_entry entry, IWork::_WorkInfo& info) {
        if (!workBroker)
            return;
        // The record belongs to the work and the signal may be delivered later elsewhere.
        IWork::TWorkInfoEx copy;
        copy.scannedBytes = info.scannedBytes.load();
        copy.path = info.path;
        copy.value = info.value;
        copy.text = info.text;
        emit workBroker->OnCCleanProgress(std::move(entry), copy);
    };
}

void WorkBroker::InstallStatusCallbacks(const std::vector<IWork*>& works) {
    for (IWork* work : works) {
        if (work && work->Kind() != IWork::WorkKind::Other)
            work->statusCallback = StatusCallback();
    }
}
