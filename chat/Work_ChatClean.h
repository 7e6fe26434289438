#pragma once

#include "CleanList.h"
#include "FileListModel.h"
#include "FileRow.h"
#include "FolderWalk.h"
#include "IWork.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

struct ChatCategory;
class LM_ChatListModel;

// What the WeChat and QQ works share: the chat program's save folder and accounts, found
// once at start-up by the subclass; a scan that walks every category's folders of every
// account on the pool and hands the files to the category lists in batches; a clean that
// deletes the ticked files, each only below the folder it was found in. The subclasses say
// where the program keeps its data and which failures hide a row.
//
// Rows, ticks and sizes belong to the GUI thread: a file is ticked or not when its batch
// arrives there, by its category's tick at that moment, so selectedSize always equals the
// ticked, visible rows. The page is told of the user's ticks at once; of the rows a run
// adds, removes or hides, by the run's end.
class Work_ChatClean : public IWork {
public:
    // An account folder: its name on disk, and as shown.
    struct Account {
        fs::path name;
        QString text;
    };
    // A folder a scan lists for a category, and the account its files belong to (empty for
    // a folder shared by all accounts).
    struct Folder {
        fs::path native;
        QString account;
    };

    ~Work_ChatClean() override;

    // Nothing found: tells the user and returns 0. No account: 0. A run registered (or the
    // program quits): 2. Otherwise starts the scan and returns its started status (9, 13).
    int StartScan() override;
    // Does nothing; returns 0.
    int CancelScan() override;
    // Deletes the ticked, visible files. No account: 0; a run registered: 2; nothing ticked
    // where the work asks the user to tick first: tells the user and returns 1. Otherwise
    // starts the clean and returns 0. A refused start reports no status.
    int StartClean() override;
    // A change of the ticked bytes made by the user: counted, and the page told.
    void AddSelectedSize(std::int64_t delta) override;

    // The page's categories and the accounts; null when the chat program was not found.
    LM_ChatListModel* chatListModel() const { return listModel_.get(); }
    // The save folder as found at start-up (absent when the program was not found).
    const std::optional<QString>& saveRoot() const { return saveRoot_; }
    const std::vector<Account>& accounts() const { return accounts_; }

    // Shows a message to the user (an information box by default); tests replace it so that
    // nothing waits for a click.
    std::function<void(const QString& text)> showMessage;

protected:
    explicit Work_ChatClean(WorkKind kind);

    // Discovery found the program: its save folder as written and its list model.
    void Install(QString saveRoot, std::unique_ptr<LM_ChatListModel> model);
    void AddAccount(const fs::path& name);
    // Where the list model reports changes of the ticked bytes.
    FileListModel::SelectedChanged SelectionSink();
    // The folders directly in `folder`, links left out. Nothing for a relative path, whose
    // meaning would depend on the current folder.
    static std::vector<fs::path> SubFolders(const fs::path& folder);
    // `relative` below each account folder in `base`; nothing when it is empty.
    std::vector<Folder> BelowAccounts(const fs::path& base, const QString& relative) const;

    // Whether a delete failed because the file is held: in use by its program, or locked
    // against writing.
    static bool IsHeld(std::uint32_t error);

    // The folders a scan lists for a category.
    virtual std::vector<Folder> ScanFolders(const ChatCategory& category) const = 0;
    // Whether a file the clean could not delete for this reason (a platform::WinError)
    // gets its row hidden.
    virtual bool HidesAfter(std::uint32_t error) const = 0;
    virtual QString NotFoundText() const = 0;
    virtual void EmitCheckedChanged() = 0;
    // Whether a clean with nothing ticked is refused with a message instead of run.
    virtual bool PromptsWhenNothingTicked() const { return false; }
    // The program's short name in log lines ("VX", "QQ").
    virtual QString LogName() const = 0;
    // Logs how many files a clean is about to delete, where the program's log has the line.
    virtual void LogSelectedCount(std::size_t /*files*/) const {}

    // Deletes one file of a clean, only below the folder it was found in (`root`). Runs on
    // the workers; a seam for tests.
    virtual CleanList::RemoveResult RemoveFile(const fs::path& root, const fs::path& file) const;
    // The size and last write of a regular file the walk met, or nothing to pass it over (it
    // went away). Runs on the workers; a seam for tests.
    virtual std::optional<platform::FileFacts> ListedFacts(const FolderWalk::File& file) const;

private:
    // Where the files of one walk root go, and the root itself (links resolved): its files
    // are deleted only below it.
    struct ScanRoot {
        std::size_t category = 0;
        QString account;
        fs::path root;
    };
    struct Found {
        // The walk tag, an index of scanRoots_.
        std::uint32_t root = 0;
        FileRow row;
    };
    struct Removed {
        std::size_t category = 0;
        std::uint64_t row = 0;
    };

    void ScanLoop(int generation);
    void CleanLoop();
    // GUI thread: a batch of the scan `generation`; stale batches are dropped.
    void ReceiveFound(int generation, std::vector<Found>& batch);
    void ReceiveRemoved(const std::vector<Removed>& batch);
    void HideRows(const std::vector<std::uint64_t>& rows);
    // GUI thread: a change of the ticked bytes, from the user or from the work's own rows.
    void SelectionChanged(std::int64_t delta, FileListModel::Cause cause);

    std::optional<QString> saveRoot_;
    std::unique_ptr<LM_ChatListModel> listModel_;
    std::vector<Account> accounts_;

    FolderWalk walk_;
    // By walk tag, which is also the clean root index; written only while no run is
    // registered.
    std::vector<ScanRoot> scanRoots_;
    CleanList cleanList_;
    // The walk tag each listed row was found under, by row id (GUI thread).
    std::unordered_map<std::uint64_t, std::uint32_t> rowRoots_;
    // GUI thread only.
    int scanGeneration_ = 0;
};
