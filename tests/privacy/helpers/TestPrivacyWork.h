#pragma once

#include "WorkHarness.h"
#include "Work_Privacy.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <memory>

class LM_PrivacyFolderModel;
struct TPrivacyItem;

// A privacy work on test rules, driven through the work harness, that scans without the
// minimum scan time, and whose registry writes or file deletes can be made to fail.
class TestPrivacyWork : public Work_Privacy {
public:
    explicit TestPrivacyWork(const QJsonDocument& rules,
                             std::chrono::milliseconds minimumScanTime = {});

    // The Run history's key below HKEY_CURRENT_USER.
    static const char* const runMruKey;

    // A rule group and a rule item; an empty id is left out, as in the shipped rules.
    static QJsonObject group(const QString& id, const QString& title, const QJsonArray& items);
    static QJsonObject item(const QString& id, const QString& path, bool checked,
                            const QString& description = QStringLiteral("痕迹"));
    // One group "g" with the Run history ("001", key RunMRU of the current user) and the
    // recent items ("002", %APPDATA%\Microsoft\Windows\Recent), both ticked, and one item
    // without an id.
    static QJsonDocument standardRules();

    bool scan() { return harness_->scan(); }
    bool clean() {
        return harness_->run([this] { return StartClean(); }, 1, IWork::RunKind::Clean);
    }
    bool waitForFinished(IWork::WorkStatus finished, int seenBefore) {
        return harness_->waitForFinished(finished, seenBefore);
    }
    QList<int> statuses() const { return harness_->statuses(); }

    LM_PrivacyFolderModel* items(int group = 0) const;
    // The text the page shows for an item's count, and its tick.
    QString countShown(int row, int group = 0) const;
    void setChecked(int row, bool checked, int group = 0);

    // Set only while no run is registered: then every registry key opens read-only, so
    // each write fails; and deleting a file of one of these names fails as access denied.
    bool readOnlyRegistry = false;
    QSet<QString> undeletable;

protected:
    platform::RegistryKey OpenRegistryKey(const RunHistory::Location& location,
                                          platform::RegistryAccess access) override;
    platform::ConfinedFileRemover::RemoveResult RemoveFile(const fs::path& root,
                                                           const fs::path& file) override;

private:
    // Destroyed first: it waits for the work's worker.
    std::unique_ptr<WorkHarness> harness_;
};
