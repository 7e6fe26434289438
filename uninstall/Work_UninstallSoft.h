#pragma once

#include "IWork.h"
#include "TSoftwareInfo.h"
#include "UninstallKeys.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>

class LM_SoftWareInfoModel;

// The software-uninstall work: lists the programs of the registry's uninstall keys with
// the size of their folders, their install dates and icons, and starts the uninstall
// commands of the programs the user picked, one after another, without waiting for them.
// It has no status block: the page follows it through its model's signals.
//
// Both the inventory and the uninstall loop run on one worker each. One run at a time: a
// scan is refused while either runs, an uninstall while the inventory runs; an uninstall
// asked for while others run joins their queue.
class Work_UninstallSoft : public IWork {
public:
    // The program's instance, built on first use (GUI thread).
    static Work_UninstallSoft* GetInstance();
    Work_UninstallSoft();
    // Only for tests: the program's instance lives as long as the process. No run may be
    // registered any more.
    ~Work_UninstallSoft() override;

    // Empties the list and starts the inventory: 1; 2 when refused.
    int StartScan() override;
    // An inventory cannot be stopped: does nothing and returns 31.
    int CancelScan() override;
    // Queues the ticked programs (unticking them) and starts their uninstallers: 32; 2 when
    // refused (the inventory runs, or the program quits), with every tick taken away too.
    int StartClean() override;

    LM_SoftWareInfoModel* model() const { return model_; }

    // Bytes of the regular files below a folder given in Windows form, with or without a
    // trailing separator or quotes; 0 for an empty name, a bare drive or drive root, a path
    // without a drive, and the Windows folder (%SystemRoot%) or any folder in it, in any
    // letter case. Links are not followed below the folder, no other file system is entered.
    static std::uint64_t CalcSoftSize(const QString& folder, const std::atomic<bool>& stop);

protected:
    // The size of a program's folder (CalcSoftSize). Runs on the inventory worker.
    virtual std::uint64_t MeasureFolder(const QString& folder);
    // Starts an uninstaller without waiting for it; true when it started. Runs on the
    // uninstall worker.
    virtual bool StartProgram(const QString& program, const QString& parameters);

private:
    struct Pending {
        std::uint64_t id = 0;
        QString uninstString;
    };

    void InventoryLoop();
    TSoftwareInfo RecordOf(const UninstallKeys::Entry& entry);
    // GUI thread: the last records have arrived.
    void FinishScan();
    void UninstallLoop();
    // Takes the next queued program; false, with the queue released, when the loop ends.
    bool TakeNext(Pending& next);
    // Forgets what is still queued and ends the loop's claim. Needs queueMutex.
    void ReleaseQueue();
    // Starts one uninstall string; true when its program started.
    bool Uninstall(const QString& uninstString);
    // GUI thread: the outcome of one uninstall.
    void FinishUninstall(std::uint64_t id, bool started);

    LM_SoftWareInfoModel* model_;
    // GUI thread only: from the start of an inventory until its records are all in.
    bool scanning_ = false;

    std::mutex queueMutex;
    // The rest is guarded by queueMutex.
    std::deque<Pending> uninstallQueue;
    // Records queued or being started, until the GUI thread has taken their outcome: a
    // second "卸载" on them must not start them again.
    std::set<std::uint64_t> claimed_;
    // An uninstall worker runs and will still look at the queue.
    bool uninstalling_ = false;
};
