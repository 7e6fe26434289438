#pragma once

#include "CleanList.h"
#include "FileRow.h"
#include "FolderWalk.h"
#include "IWork.h"
#include "MoveShortfall.h"

#include <QJsonDocument>
#include <QString>
#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class LM_LargeFilesModel;

// The large-file work: finds files of at least 30 MiB of the rule file's types on drive C:
// (system folders left out) and moves the ticked ones to the folder the user chose, to
// free space on C:. The scan walks C: on the whole pool; moves go through the platform
// move, which never replaces a file and leaves the source intact on any failure.
class Work_LargeFile : public IWork {
public:
    // Files below this size are not listed.
    static constexpr std::uint64_t minSize = 30ull * 1024 * 1024;
    // The key of the settings file that holds the destination the user chose.
    static constexpr const char* destinationSettingKey = "LargeFileSaveDir";

    // The program's instance, built from the shipped rules on first use (GUI thread).
    static Work_LargeFile* GetInstance();
    explicit Work_LargeFile(const QJsonDocument& rules);

    // 2 while a run is registered or the program quits, else starts the scan and returns 17.
    int StartScan() override;
    // Moves the ticked files to the destination the user stored. Returns 1 after a message
    // when nothing is ticked or the destination cannot be used, or when the user declines a
    // move that frees nothing; 2 while a run is registered; 1 when the move started.
    int StartClean() override;
    // The same to `folder` (a Windows path); LargeFileMoving when the move started.
    int StartMoveTo(const QString& folder);

    // What a destination is worth, told before anything is created or asked.
    struct Destination {
        enum class Problem {
            None,
            // Empty or not a complete path.
            NotComplete,
            // The nearest part of it that exists is no folder.
            NoFolder,
        };
        Problem problem = Problem::None;
        fs::path folder;   // the native folder, when complete
        fs::path existing; // its nearest part that exists
        // On C:'s own volume (after a scan): a move frees nothing there.
        bool sameVolume = false;
    };
    Destination CheckDestination(const QString& folder) const;
    // A change of the ticked bytes made by the user: counted, and the page told.
    void AddSelectedSize(std::int64_t delta) override;

    LM_LargeFilesModel* listModel() const { return listModel_; }
    // The files the last move left where they were, and why; read once the move has ended.
    const MoveShortfall& moveShortfall() const { return shortfall_; }

    // The native folder of a destination the user stored, or nothing when it is empty or not
    // a complete path (relative, "\name" on the current drive, "C:name", an unknown drive):
    // such a folder would resolve against wherever the program happens to run.
    static std::optional<fs::path> ResolveDestination(const QString& folder);

protected:
    // Seams for tests: the stored destination (destinationSettingKey of the settings file),
    // a message to the user, a question to the user, and the move of one file (workers).
    virtual QString DestinationSetting() const;
    virtual void ShowMessage(const QString& text);
    virtual bool Confirm(const QString& text);
    virtual std::uint32_t MoveFile(const fs::path& source, const fs::path& destination,
                                   const std::atomic<bool>* cancel) const;

private:
    // A large file on its way from a scan worker to its category's list.
    struct Found {
        std::size_t group = 0;
        FileRow row;
        std::optional<platform::FileIdentity> identity;
    };
    // One file of a move: which row it is, and what the scan saw of it.
    struct Move {
        std::size_t group = 0;
        std::uint64_t rowId = 0;
        std::optional<platform::FileIdentity> identity;
        std::uint64_t size = 0;
    };

    // The first category listing a name's extension, compared without case.
    std::optional<std::size_t> GroupOf(const fs::path& file) const;
    void ScanLoop(int generation);
    // GUI thread: a batch of files found by scan `generation`.
    void ReceiveFound(int generation, std::vector<Found>& batch);
    void MoveLoop();
    CleanList::RemoveResult MoveOne(const fs::path& root, const CleanList::Target& target) const;
    // GUI thread: rows whose files have moved.
    void ReceiveMoved(const std::vector<Move>& moved);
    // Checks the destination, asks what must be asked and only then creates the folder;
    // the native folder when the move may start.
    std::optional<fs::path> PrepareDestination(const QString& setting);

    LM_LargeFilesModel* listModel_;
    // Lower-case extension (UTF-8, with its dot) -> category. Fixed at construction.
    std::unordered_map<std::string, std::size_t> groupOfExtension_;
    FolderWalk walk_;
    // Drive C:'s folder with links resolved, as the last scan walked it.
    fs::path systemRoot_;
    // Results of an earlier scan still on their way are told apart by this (GUI thread).
    int scanGeneration_ = 0;
    // What the scan saw of each listed file, by row id (GUI thread).
    std::unordered_map<std::uint64_t, std::optional<platform::FileIdentity>> identities_;
    // Set on the GUI thread before the move workers start, read-only while they run.
    CleanList moveList_;
    std::vector<Move> moves_;
    fs::path destination_;
    platform::DriveBoundary destinationVolume_{fs::path()};
    MoveShortfall shortfall_;
};
