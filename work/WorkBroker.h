#pragma once

#include "IWork.h"

#include <QObject>
#include <functional>
#include <vector>

// Turns work callbacks into Qt signals. It lives in the GUI thread, so an emission from a
// worker reaches the receivers queued and one from the GUI thread directly.
class WorkBroker : public QObject {
    Q_OBJECT
public:
    explicit WorkBroker(QObject* parent = nullptr);

    // Callbacks for IWork::statusCallback / progressCallback that emit on workBroker.
    static std::function<void(IWork::WorkStatus)> StatusCallback();
    static std::function<void(fs::directory_entry, IWork::_WorkInfo&)> ProgressCallback();
    // Gives every work with a status block the status callback (a work without one, the
    // software inventory, reports nothing).
    static void InstallStatusCallbacks(const std::vector<IWork*>& works);

signals:
    // Carries the status of every work, not only the C-drive one.
    void OnCCleanStatusChanging(IWork::WorkStatus WS);
    void OnCCleanProgress(fs::directory_entry entry, IWork::TWorkInfoEx workInfoEx);
    void OnCCleanFolderCheckedChanged();
    void OnVXCleanCheckedChanged();
    void OnQQCleanCheckedChanged();
    void OnLargeFileCheckedChanged();
    void OnPrivacyCheckedChanged();
};

// The single broker, created by main before the application object.
extern WorkBroker* workBroker;
