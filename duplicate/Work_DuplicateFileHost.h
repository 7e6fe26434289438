#pragma once

#include <QJsonArray>
#include <QObject>
#include <QString>
#include <functional>

class Work_DuplicateFile;

// What the duplicate page calls: the drive list, scan, cancel, clean and ticks. GUI thread.
class Work_DuplicateFileHost : public QObject {
    Q_OBJECT
public:
    explicit Work_DuplicateFileHost(Work_DuplicateFile& work, QObject* parent = nullptr);

    // The fixed drives ({"name", "total", "free"}, sizes as numbers of FormatFileSize, plus
    // "totalBytes" and "freeBytes" for bars), then "*" with the sums. Built once.
    Q_INVOKABLE QJsonArray GetDrives();
    // Starts the scan of a drive and remembers it; false when the work refused (a run is
    // still ending, or the program quits), so the page can stay as it is.
    Q_INVOKABLE bool scan(const QString& drive);
    // Asks the running scan to stop; false when no scan runs that could end.
    Q_INVOKABLE bool cancelScan();
    // Asks the user, then starts the clean.
    Q_INVOKABLE void clean();
    Q_INVOKABLE QString GetCurrentDrive() const { return currentDrive_; }
    // The page's tick box of row `index` of the type with this icon is now `checked`.
    Q_INVOKABLE void SetCheckedFromQml(const QString& iconPath, int index, bool checked);

    // The user's answer to the clean's question, replaceable so that no message box blocks
    // a test.
    std::function<bool(const QString& question)> askYesNo;

private:
    Work_DuplicateFile& work_;
    QJsonArray drives_;
    QString currentDrive_;
};
