#pragma once

#include "IWork.h"
#include "RunHistory.h"

#include <QJsonDocument>
#include <QString>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <platform/ConfinedFileRemover.h>
#include <platform/RegistryKey.h>
#include <vector>

class LM_PrivacyFolderModel;
class LM_PrivacyGroupData;

// The privacy work: counts and erases usage traces, item by item of PrivacyData.json. Two
// items have a location: "001", the Run dialog's history in the registry, and "002", the
// recent-items folder; the others are shown but never scanned or cleaned. A count is a
// number of records, not bytes. Scans and cleans run on one worker; the page's models
// belong to the GUI thread and receive the counts there.
class Work_Privacy : public IWork {
public:
    // The program's instance, built from the shipped rules on first use (GUI thread).
    static Work_Privacy* GetInstance();
    // Builds the groups of `rules` (a PrivacyData document). Throws the C string
    // "groupID can't be empty string!" for a group without id. A scan lasts at least
    // `minimumScanTime`, so that the page's busy state does not merely flash.
    explicit Work_Privacy(const QJsonDocument& rules,
                          std::chrono::milliseconds minimumScanTime = std::chrono::seconds(1));

    // 2 while a run is registered or the program quits (nothing reported), else starts
    // the scan and returns 1.
    int StartScan() override;
    // Erases the ticked items (the recent items the last count listed; the Run history as
    // its key stands at the clean), then counts again what is left. 2 while a run is
    // registered or the program quits, else 1.
    int StartClean() override;

    // Records over all items, and over the ticked ones (GUI thread).
    void GetRecordCounts(int& found, int& selected) const;

    // One record the last count found: a trace file, or an entry of the Run history.
    struct Record {
        std::filesystem::path file;
        QString name;  // the entry's letter
        QString value; // what was run
    };
    // The records of the item at `row` of `model`; nothing for an item without a location.
    // GUI thread, while no run is registered.
    std::optional<std::vector<Record>> RecordsOf(const LM_PrivacyFolderModel* model, int row) const;
    LM_PrivacyGroupData* groupsModel() const { return groupsModel_; }

protected:
    // Seams for tests; both run on the worker.
    virtual platform::RegistryKey OpenRegistryKey(const RunHistory::Location& location,
                                                  platform::RegistryAccess access);
    virtual platform::ConfinedFileRemover::RemoveResult
    RemoveFile(const std::filesystem::path& root, const std::filesystem::path& file);

private:
    // An item with a location, as the engine sees it.
    struct Trace {
        enum class Kind { RunHistory, RecentItems };
        Kind kind = Kind::RunHistory;
        LM_PrivacyFolderModel* model = nullptr;
        int row = 0;
        QString name; // the item's description, for a failure the worker reports
        std::optional<RunHistory::Location> key; // RunHistory
        QString folder;                          // RecentItems, as the rule names it
        // What the last count found: the folder with its links resolved and the trace
        // files in it. Touched only by the run's worker, or by the GUI thread while no run
        // is registered; the pool's registration orders the two.
        std::filesystem::path root;
        std::vector<std::filesystem::path> files;
        // RunHistory: the entries the last count found, letter and value.
        std::vector<std::pair<std::string, std::string>> entries;
    };
    struct Count {
        std::size_t trace = 0;
        std::uint32_t records = 0;
    };

    void BuildGroups(const QJsonDocument& rules);
    void ScanLoop(int generation);
    void CleanLoop(int generation, const std::vector<std::size_t>& ticked);
    // Counts the records of a trace now (worker); `log` writes the files met to "app.log".
    std::uint32_t CountTrace(Trace& trace, bool log);
    void Erase(Trace& trace);
    // GUI thread: counts of run `generation`.
    void ReceiveCounts(int generation, const std::vector<Count>& batch);
    // GUI thread: the totals follow the items' counts and ticks.
    void UpdateTotals();
    void WaitUntil(std::chrono::steady_clock::time_point deadline) const;

    std::chrono::milliseconds minimumScanTime_;
    std::vector<Trace> traces_;
    // Counts of an earlier run still on their way are told apart by this (GUI thread).
    int generation_ = 0;
    LM_PrivacyGroupData* groupsModel_;
};
