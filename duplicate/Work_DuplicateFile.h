#pragma once

#include "CleanList.h"
#include "DuplicateFile.h"
#include "FolderWalk.h"
#include "IWork.h"
#include "LM_DuplicateFileListNodes.h"

#include <QJsonDocument>
#include <QString>
#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class ContentSplitter;
class LM_DuplicateFileListModel;
class QTimer;

// The duplicate-file work: finds files of the rule file's types on one fixed drive or on
// all of them that are byte-for-byte copies of each other, and deletes the copies the user
// ticks, never the last copy of a group, never a file that changed since the scan, and
// never one whose bytes no longer equal those of the copy that stays.
//
// A scan walks the drives on the shared folder walk, keeps the files over 100 KiB of a
// known type, and then reads only files that share type and size with another file,
// side by side, so that every group is byte-equal. Groups reach the page's models in
// batches; the models belong to the GUI thread.
class Work_DuplicateFile : public IWork {
public:
    static Work_DuplicateFile* GetInstance();
    explicit Work_DuplicateFile(const QJsonDocument& rules);
    ~Work_DuplicateFile() override;

    // Scans a drive root ("C:\") or, for "*", every fixed drive. 21 when started; 2 while
    // a run is registered, its end has not reached the GUI thread yet, or the program quits.
    int ScanDrive(const QString& drive);
    // A scan started without a drive is the page's quick scan of C:, so that its started
    // status is always followed by a finished one. 1 when started, else 2.
    int StartScan() override;
    // Asks the scan to stop between two blocks; the groups confirmed so far stay. Returns 0.
    int CancelScan() override;
    // A scan runs whose end has not reached the GUI thread yet: a cancel will end it.
    bool ScanRunning() const { return openRun_ == OpenRun::Scan; }
    // The program quits: the scan stops as on cancel (a clean stops between two files).
    void RequestStop() override;
    // Deletes the ticked, shown copies, keeping at least one of every group. 1 when nothing
    // is ticked (the user is told), 2 while a run is registered, 0 when started.
    int StartClean() override;

    LM_DuplicateFileListModel* typeModel() const { return typeModel_; }

    // Tells the user that a clean has nothing to delete (an error box by default);
    // replaceable so that nothing waits for a click.
    std::function<void(const QString& message)> showCritical;

    // Smallest size of a file that is looked at, exclusive.
    static constexpr std::uint64_t minimumSize = 100 * 1024;

protected:
    // Runs on a scan worker right before it reads the files of one set of same-size files;
    // a seam for tests, which hold the workers there.
    virtual void BeforeReading() {}

private:
    // A file of a known type found by the walk.
    struct Candidate {
        fs::path path;
        std::uint64_t size = 0;
        std::int64_t modified = 0;
        platform::FileIdentity identity;
        std::uint32_t root = 0;
        std::uint32_t type = 0;
    };
    // Files of one type and size: they may be copies.
    struct Bucket {
        std::size_t first = 0; // in candidates_
        std::size_t count = 0;
    };
    // What a clean checks right before it deletes a copy.
    struct Expected {
        platform::FileFacts facts;
        platform::FileIdentity identity;
        // A copy of the group that stays: it must still be there, unchanged.
        fs::path keeper;
        platform::FileFacts keeperFacts;
        platform::FileIdentity keeperIdentity;
    };

    bool FolderWanted(const fs::path& folder) const;
    void ScanLoop(int generation);
    void WalkFiles();
    // Once per scan, by the first worker done walking: sorts the candidates into buckets.
    void BuildBuckets();
    void HashBuckets(int generation);
    void CleanLoop();
    // Unticks the first shown copy of each group whose shown copies are all ticked;
    // returns how many groups it kept a copy of.
    int KeepOneCopyPerGroup();
    bool Unchanged(const CleanList::Target& target) const;
    // Reads the copy to delete and the copy that stays side by side; false at their first
    // difference, or when either cannot be read to its end.
    bool SameBytes(ContentSplitter& splitter, const CleanList::Target& target) const;
    void SetCurrentPath(const fs::path& path);

    // GUI thread.
    void EndScan(int generation, bool stopped);
    void EndClean();
    void ReceiveRemoved(const std::vector<std::uint64_t>& ids);

    LM_DuplicateFileListModel* typeModel_;
    // Lower-case extension with its dot -> the types it belongs to.
    std::unordered_map<std::string, std::vector<std::uint32_t>> extensionTypes_;

    std::atomic<bool> stopScan_{true};
    FolderWalk walk_;
    std::vector<fs::path> scanRoots_;
    std::mutex queueMutex_;
    // Filled by the walk under queueMutex_; read-only once the buckets are built.
    std::vector<Candidate> candidates_;
    std::vector<Bucket> buckets_;
    // The previous scan's groups, freed by a worker of the next scan.
    std::vector<std::vector<LM_DuplicateFileListNodes::TCRC32Node>> staleGroups_;
    bool bucketsBuilt_ = false;
    std::atomic<std::size_t> nextBucket_{0};

    CleanList cleanList_;
    // Per row id, read-only while a clean runs.
    std::unordered_map<std::uint64_t, Expected> expected_;
    std::atomic<int> changedFiles_{0};
    std::atomic<int> differingFiles_{0};

    // The file in hand, shown by the page a few times a second.
    std::mutex pathMutex_;
    fs::path currentPath_;
    bool pathChanged_ = false;
    QTimer* pathTimer_;

    // GUI thread: the run that was started and whose end has not been handled here yet.
    enum class OpenRun { None, Scan, Clean };
    OpenRun openRun_ = OpenRun::None;
    int generation_ = 0;
};
