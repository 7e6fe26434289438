#include "TextReport.h"

#include "CliText.h"
#include "ConsoleOutput.h"
#include "FileTime.h"
#include "FormatFileSize.h"
#include "PathQString.h"

namespace {

const QString indent = QStringLiteral("      ");

QString tick(bool checked) {
    return checked ? QStringLiteral("[x] ") : QStringLiteral("[ ] ");
}

QString join(const QStringList& parts) {
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.isEmpty())
            kept << part;
    }
    return kept.join(QStringLiteral("  "));
}

QString rowLine(const Listing::Row& row) {
    QStringList parts;
    if (row.group)
        parts << CliText::get(CliText::GroupLabel).arg(*row.group);
    if (row.keep)
        parts << CliText::get(*row.keep ? CliText::Keep : CliText::Delete);
    if (row.file)
        parts << WindowsPathText(*row.file);
    else
        parts << row.name << row.value;
    if (row.bytes)
        parts << FormatFileSize(*row.bytes);
    if (row.account)
        parts << (row.account->isEmpty() ? CliText::get(CliText::Shared) : *row.account);
    if (row.modified)
        parts << FileTimeToDateTime(*row.modified).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    QString line = indent + join(parts);
    if (row.checked)
        line = indent + tick(*row.checked) + join(parts);
    return line;
}

QString categoryLine(const Listing::Category& category) {
    QString name = category.name;
    if (!category.group.isEmpty())
        name += QStringLiteral("（%1）").arg(category.group);
    QStringList parts{category.id, name};
    if (!category.supported) {
        parts << CliText::get(CliText::Unsupported);
    } else {
        if (category.bytes)
            parts << FormatFileSize(*category.bytes);
        if (category.groups)
            parts << CliText::get(CliText::Groups).arg(*category.groups);
        parts << CliText::get(category.countsRecords ? CliText::Records : CliText::Files)
                     .arg(category.count);
    }
    if (category.folder)
        parts << WindowsPathText(*category.folder);
    return tick(category.checked) + join(parts);
}

QString programLine(const Listing::Program& program) {
    return join({program.name, FormatFileSize(program.bytes),
                 program.installDate.isValid()
                     ? program.installDate.toString(QStringLiteral("yyyy-MM-dd"))
                     : QStringLiteral("-"),
                 program.uninstallString});
}

} // namespace

void TextReport::write(const Listing& listing) {
    QByteArray text;
    auto line = [&text](const QString& content) { text += content.toUtf8() + '\n'; };
    for (const QString& heading : listing.heading)
        line(heading);
    for (const Listing::Category& category : listing.categories) {
        line(categoryLine(category));
        for (const Listing::Row& row : category.rows) {
            line(rowLine(row));
            if (text.size() > 64 * 1024) {
                ConsoleOutput::out(text);
                text.clear();
            }
        }
    }
    for (const Listing::Program& program : listing.programs)
        line(programLine(program));
    for (const QString& closing : listing.closing)
        line(closing);
    for (const QString& note : listing.notes)
        line(CliText::get(CliText::Note).arg(note));
    ConsoleOutput::out(text);
}

void TextReport::writeFailures(const Listing& listing) {
    if (listing.failures.empty())
        return;
    ConsoleOutput::errLine(CliText::get(CliText::FailuresHeader).arg(listing.failures.size()));
    for (const Listing::Failure& failure : listing.failures) {
        const QString what = failure.file ? WindowsPathText(*failure.file) : failure.name;
        ConsoleOutput::errLine(CliText::get(CliText::FailureLine).arg(what, failure.message));
    }
}
