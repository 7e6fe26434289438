#pragma once

#include "CleanList.h"
#include "FileRow.h"
#include "FolderWalk.h"
#include "IWork.h"
#include "NativePath.h"

#include <QJsonDocument>
#include <cstddef>
#include <mutex>
#include <optional>
#include <vector>

class LM_GroupModel;
class LM_GroupsModel;

// The C-drive junk work: walks the rule folders of CleanData.json on the worker pool,
// keeps the files found for each folder, and deletes the files of ticked folders. The
// page's models belong to the GUI thread and receive the results there in batches.
class Work_CClean : public IWork {
public:
    // The program's instance, built from the shipped rules on first use (GUI thread).
    static Work_CClean* GetInstance();
    // Builds the groups of `rules` (a CleanData document, paths already expanded once).
    // Throws the C string "groupID can't be empty string!" for a group without id.
    explicit Work_CClean(const QJsonDocument& rules);

    // 2 while a run is registered or the program quits, else starts the scan and returns 1.
    int StartScan() override;
    // Reports Cancelled; 2 while a run is registered, else 1. Stops nothing.
    int CancelScan() override;
    // Deletes the files of the ticked folders. 2 while a run is registered or the program
    // quits, else 0.
    int StartClean() override;
    void AddSelectedSize(std::int64_t delta) override;

    LM_GroupsModel* groupsModel() const { return groupsModel_; }
    // The files the last scan found below tile `row` of `model` (for tests and checks).
    std::vector<fs::path> FilesOf(const LM_GroupModel* model, int row);
    // The same with the size each had then.
    std::vector<FileRow> FoundFiles(const LM_GroupModel* model, int row);

protected:
    // The size of a regular file the walk met, or nothing when it is in use (cannot be
    // opened for reading), gone or no longer regular. Runs on workers.
    virtual std::optional<std::uint64_t> ProbeFile(const FolderWalk::File& file) const;

private:
    // A tile as the engine sees it: where its files are and which ones were found.
    struct Tile {
        LM_GroupModel* model = nullptr;
        int row = 0;
        // Set when a scan starts: the rule folder with its links resolved, which a clean
        // must not leave. Empty when the rule names no folder.
        fs::path root;
        // Guarded by queueMutex while a scan runs; sizes[i] is the size of files[i].
        std::vector<NativePath> files;
        std::vector<std::uint64_t> sizes;
    };
    // Bytes found below one folder of a tile, on their way to the GUI thread.
    struct Found {
        std::size_t tile = 0;
        std::uint64_t bytes = 0;
    };

    void BuildGroups(const QJsonDocument& rules);
    void ScanLoop(int generation);
    // GUI thread: a batch of results of scan `generation`.
    void ReceiveFound(int generation, const std::vector<Found>& batch);
    void FlushModels();

    std::mutex queueMutex;
    std::vector<Tile> tiles_;
    FolderWalk walk_;
    CleanList cleanList_;
    // Results of an earlier scan still on their way are told apart by this (GUI thread).
    int scanGeneration_ = 0;
    // The previous scan's file lists, freed by a worker rather than the GUI thread (a
    // hundred thousand paths take a noticeable while). Guarded by queueMutex.
    std::vector<std::vector<NativePath>> staleFiles;
    LM_GroupsModel* groupsModel_;
};
