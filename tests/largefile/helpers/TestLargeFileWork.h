#pragma once

#include "WorkHarness.h"
#include "Work_LargeFile.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <functional>
#include <memory>

// A large-file work on test rules, driven through the work harness, with its user prompts
// answered by the test and a hook before each file's move (runs on the workers).
class TestLargeFileWork : public Work_LargeFile {
public:
    explicit TestLargeFileWork(const QJsonDocument& rules);
    // The shipped rules.
    TestLargeFileWork();

    // A rule entry {"id", "ext", "description", "checked"}.
    static QJsonObject category(const QString& id, const QStringList& extensions, bool checked,
                                const QString& title = QStringLiteral("类别"));
    // A file of `size` bytes that takes no room: a few bytes, the rest a hole.
    static std::filesystem::path sparse(const std::filesystem::path& file, std::uint64_t size);

    bool scan();
    // Starts a move and waits for its end; false when it did not start or finish.
    bool move();
    QList<int> statuses() const { return harness_->statuses(); }
    WorkHarness& harness() { return *harness_; }

    // What DestinationSetting() answers, and Confirm().
    QString destination;
    bool confirmAnswer = true;
    // What was shown and asked, in order.
    QStringList messages;
    QStringList questions;
    // Runs on the worker before each file is moved. Set only while no run is registered.
    std::function<void(const fs::path& source)> beforeMove;

protected:
    QString DestinationSetting() const override { return destination; }
    void ShowMessage(const QString& text) override { messages << text; }
    bool Confirm(const QString& text) override;
    std::uint32_t MoveFile(const fs::path& source, const fs::path& destination,
                           const std::atomic<bool>* cancel) const override;

private:
    // Destroyed first: it waits for the work's workers.
    std::unique_ptr<WorkHarness> harness_;
};
