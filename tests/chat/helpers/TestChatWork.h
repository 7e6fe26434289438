#pragma once

#include "LM_ChatFilesModel.h"
#include "LM_ChatListModel.h"
#include "WorkHarness.h"
#include "Work_QQClean.h"
#include "Work_VXClean.h"

#include <QStringList>
#include <functional>
#include <memory>

// A chat work driven through the work harness, whose messages are recorded instead of
// shown, with a hook on the workers' look at each file listed (to hold them there).
template <class Work> class TestChatWork : public Work {
public:
    template <class... Args>
    explicit TestChatWork(Args&&... args) : Work(std::forward<Args>(args)...) {
        this->showMessage = [this](const QString& text) { messages << text; };
        harness_ = std::make_unique<WorkHarness>(*this);
    }

    bool scan() {
        return harness_->run([this] { return this->StartScan(); },
                             IWork::StartedStatus(this->Kind(), IWork::RunKind::Scan),
                             IWork::RunKind::Scan);
    }
    bool clean() { return harness_->clean(); }
    bool waitForFinished(IWork::WorkStatus finished, int seenBefore) {
        return harness_->waitForFinished(finished, seenBefore);
    }
    QList<int> statuses() const { return harness_->statuses(); }

    LM_ChatListModel& list() const { return *this->chatListModel(); }
    LM_ChatFilesModel& files(int category) const { return *list().category(category).files; }

    // Messages the work showed the user, in order (GUI thread).
    QStringList messages;
    // Runs on the workers for each file listed; set it only while no run is registered.
    std::function<void(const fs::path&)> listedHook;
    // Runs on the workers before each delete: a WinError makes the delete fail so, nothing
    // deletes the file. Set it only while no run is registered.
    std::function<std::optional<std::uint32_t>(const fs::path&)> failDelete;

protected:
    CleanList::RemoveResult RemoveFile(const fs::path& root, const fs::path& file) const override {
        if (failDelete) {
            if (const std::optional<std::uint32_t> error = failDelete(file))
                return {0, *error};
        }
        return Work::RemoveFile(root, file);
    }
    std::optional<platform::FileFacts> ListedFacts(const FolderWalk::File& file) const override {
        if (listedHook)
            listedHook(file.path());
        return Work::ListedFacts(file);
    }

private:
    // Destroyed first: it waits for the work's workers.
    std::unique_ptr<WorkHarness> harness_;
};

using TestVX = TestChatWork<Work_VXClean>;
using TestQQ = TestChatWork<Work_QQClean>;

// The row of a category's files whose file has this name, or -1.
inline int RowNamed(const LM_ChatFilesModel& files, const fs::path& name) {
    for (int r = 0; r < files.rows(); ++r) {
        if (files.at(r).path.filename() == name)
            return r;
    }
    return -1;
}
