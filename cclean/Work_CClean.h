#pragma once

#include "IWork.h"
#include "ScanTask.h"

#include <QJsonDocument>
#include <condition_variable>
#include <deque>
#include <mutex>

class LM_GroupsModel;
struct FolderItem;

// The C-drive junk work: scans the rule folders of CleanData.json on the worker pool,
// keeps each folder's files in its FolderItem and deletes the files of ticked folders.
class Work_CClean : public IWork {
public:
    // The program's instance, built from the shipped rules on first use (GUI thread).
    static Work_CClean* GetInstance();
    // Builds the groups of `rules` (a CleanData document, paths already expanded once).
    // Throws the C string "groupID can't be empty string!" for a group without id.
    explicit Work_CClean(const QJsonDocument& rules);

    // 2 while a run is registered, else starts the scan and returns 1.
    int StartScan() override;
    // Reports Cancelled; 2 while a run is registered, else 1. Stops nothing.
    int CancelScan() override;
    // Deletes the files of the ticked folders. 2 while a run is registered, else 0.
    int StartClean() override;
    void AddSelectedSize(std::int64_t delta) override;

    LM_GroupsModel* groupsModel() const { return groupsModel_; }

protected:
    // Whether a file is in use and must be neither counted nor deleted. Runs on workers.
    virtual bool IsInUse(const fs::path& file) const;

private:
    void BuildGroups(const QJsonDocument& rules);
    void ScanLoop();
    void ScanDirectory(const ScanTask& task);
    void CountFile(const ScanTask& task, const fs::path& file);
    void CleanLoop();
    void CleanFile(FolderItem* item, const fs::path& file);
    // Queues one size refresh of the item to its model unless one is pending already.
    static void PostRefresh(FolderItem* item);

    std::mutex queueMutex;
    std::deque<ScanTask> scanTasks;
    // Scan workers listing a directory right now (guarded by queueMutex): they may still
    // queue sub-folders, so the others wait for them instead of leaving.
    int listingWorkers = 0;
    std::condition_variable tasksChanged;
    std::deque<FolderItem*> cleanQueue;
    LM_GroupsModel* groupsModel_;
};
