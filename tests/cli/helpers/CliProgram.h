#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

// The real merivane-cli as a user runs it: the built program, linked into a program folder
// of its own (beside it are its logs and its settings file, as beside the window's), started
// with the test's environment, so on the drive fixture's drives and registry.
class CliProgram {
public:
    struct Result {
        int status = -1;
        QByteArray out;
        QByteArray err;
        QString outText() const { return QString::fromUtf8(out); }
        QString errText() const { return QString::fromUtf8(err); }
        // The JSON document on standard output; empty when it is none.
        QJsonObject json() const;
    };

    CliProgram();

    // Runs it to its end.
    Result run(const QStringList& arguments) const;
    // Starts it, for a test that stops it on the way.
    std::unique_ptr<QProcess> start(const QStringList& arguments) const;
    static Result finish(QProcess& process);

    // Writes a value to the settings file beside the program.
    void setSetting(const QString& key, const QString& value) const;
    QString folder() const { return dir_.path(); }

    // "removed: <prefix><path>" for each path, sorted, as DriveFixture::changesSince tells
    // the files' deletion.
    static QStringList removed(const QStringList& paths, const QString& prefix = QString());

    // The file a "raw" path names: the surrogate escapes of bytes that are no text are
    // bytes again.
    static std::filesystem::path rawPath(const QString& raw);

private:
    QTemporaryDir dir_;
    QString executable_;
};
