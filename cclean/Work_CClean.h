#pragma once

#include "IWork.h"
#include "ScanTask.h"

#include <QJsonDocument>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

class LM_GroupsModel;
struct FolderItem;
namespace platform {
class FolderReader;
}

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
    // The size of the regular file `reader` returned last (`file`), or nothing when it is
    // in use (cannot be opened for reading), gone or no longer regular. Runs on workers.
    virtual std::optional<std::uint64_t> ProbeFile(const fs::path& file,
                                                   const platform::FolderReader& reader) const;

private:
    void BuildGroups(const QJsonDocument& rules);
    void ScanLoop();
    void ScanDirectory(const ScanTask& task);
    // Adds a directory's counted files to its item in one go.
    void CommitFiles(FolderItem* item, std::vector<fs::path>& files, std::uint64_t& bytes);
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
    // The previous scan's file lists, freed by a worker rather than the GUI thread (a
    // hundred thousand paths take a noticeable while). Guarded by queueMutex.
    std::vector<std::vector<fs::path>> staleFiles;
    std::deque<FolderItem*> cleanQueue;
    LM_GroupsModel* groupsModel_;
};
