#include "CliProgram.h"

#include <QJsonDocument>
#include <QSettings>
#include <QtTest>

namespace fs = std::filesystem;

CliProgram::CliProgram() {
    executable_ = dir_.filePath(QStringLiteral("merivane-cli"));
    const fs::path built(MERIVANE_CLI_EXECUTABLE);
    std::error_code error;
    fs::create_hard_link(built, executable_.toStdString(), error);
    if (error)
        fs::copy_file(built, executable_.toStdString(), error);
    if (error)
        qFatal("cannot place merivane-cli in %s", qPrintable(dir_.path()));
}

QJsonObject CliProgram::Result::json() const {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(out, &error);
    return error.error == QJsonParseError::NoError ? document.object() : QJsonObject();
}

std::unique_ptr<QProcess> CliProgram::start(const QStringList& arguments) const {
    auto process = std::make_unique<QProcess>();
    process->setProgram(executable_);
    process->setArguments(arguments);
    process->setWorkingDirectory(dir_.path());
    process->start();
    process->waitForStarted();
    return process;
}

CliProgram::Result CliProgram::finish(QProcess& process) {
    // Patience, not a speed goal: a sanitizer build on a busy machine is slow.
    process.waitForFinished(600000);
    Result result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

CliProgram::Result CliProgram::run(const QStringList& arguments) const {
    std::unique_ptr<QProcess> process = start(arguments);
    return finish(*process);
}

void CliProgram::setSetting(const QString& key, const QString& value) const {
    QSettings settings(dir_.filePath(QStringLiteral("config.ini")), QSettings::IniFormat);
    settings.setValue(key, value);
}

QStringList CliProgram::removed(const QStringList& paths, const QString& prefix) {
    QStringList lines;
    for (const QString& path : paths)
        lines << "removed: " + prefix + path;
    lines.sort();
    return lines;
}

fs::path CliProgram::rawPath(const QString& raw) {
    std::string bytes;
    for (int i = 0; i < raw.size(); ++i) {
        const ushort unit = raw[i].unicode();
        if (unit >= 0xDC80 && unit <= 0xDCFF) {
            bytes.push_back(static_cast<char>(unit - 0xDC00));
            continue;
        }
        int length = 1;
        if (raw[i].isHighSurrogate() && i + 1 < raw.size())
            length = 2;
        bytes += raw.mid(i, length).toUtf8().toStdString();
        i += length - 1;
    }
    return fs::path(bytes);
}
