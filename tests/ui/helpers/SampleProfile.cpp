#include "SampleProfile.h"

#include "PathQString.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {
// scripts/ lies two folders above this one.
QString generatorPath() {
    const QString here = QFileInfo(QStringLiteral(__FILE__)).absolutePath();
    return QDir(here).filePath(QStringLiteral("../../../scripts/sample_profile.py"));
}
} // namespace

SampleProfile::SampleProfile() {
    if (!dir.isValid()) {
        problem = QStringLiteral("no temporary folder");
        return;
    }
    volume = std::make_unique<ScratchVolume>(QStringToPath(dir.path()), 4ull << 30);
    // A fresh tmpfs is open to everyone; the profile stays as private as its folder was.
    if (volume->mounted())
        std::filesystem::permissions(QStringToPath(dir.path()), std::filesystem::perms::owner_all);
    QProcess generator;
    generator.start(QStringLiteral("python3"), {generatorPath(), dir.path()});
    if (!generator.waitForFinished(120000) || generator.exitCode() != 0) {
        problem = QString::fromUtf8(generator.readAllStandardError());
        return;
    }
    // Lines of the form: export NAME='value'
    const QRegularExpression line(QStringLiteral("^export (\\w+)='(.*)'$"));
    for (const QString& text : QString::fromUtf8(generator.readAllStandardOutput()).split('\n')) {
        const auto match = line.match(text);
        if (match.hasMatch())
            environment.insert(match.captured(1), match.captured(2));
    }
    valid = environment.contains(QStringLiteral("MERIVANE_DRIVES"));
    if (!valid)
        problem = QStringLiteral("the generator printed no drive map");
}

void SampleProfile::apply() const {
    for (auto it = environment.cbegin(); it != environment.cend(); ++it)
        qputenv(it.key().toLocal8Bit().constData(), it.value().toUtf8());
}

QString SampleProfile::onC(const QString& relative) const {
    return QDir(dir.path()).filePath(QStringLiteral("c/") + relative);
}

TempTree::Snapshot SampleProfile::snapshot() const {
    return TempTree::snapshotOf(QStringToPath(dir.path()));
}

QStringList SampleProfile::changesSince(const TempTree::Snapshot& before) const {
    QStringList changes;
    for (const std::string& line : TempTree::diff(before, snapshot()))
        changes << QString::fromStdString(line);
    return changes;
}
