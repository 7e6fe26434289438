#include "UninstallCommand.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// Switches such as /S use forward slashes, so only a backslash ends a folder name here.
int lastBackslash(const QString& text) {
    return text.lastIndexOf(QLatin1Char('\\'));
}

} // namespace

UninstallCommand UninstallCommand::Split(const QString& uninstString) {
    UninstallCommand command;
    // Leading blanks would hide the opening quote.
    int start = 0;
    while (start < uninstString.size() && uninstString.at(start).isSpace())
        ++start;
    const QString text = uninstString.mid(start);

    const QLatin1String msiexec("msiexec.exe");
    const int msi = text.indexOf(msiexec, 0, Qt::CaseInsensitive);
    if (msi >= 0) {
        command.program_ = QStringLiteral("msiexec.exe");
        // The program's own name is no parameter: msiexec would take it for one it does not
        // know. A quote closing the program's path goes with it.
        int after = msi + msiexec.size();
        if (text.startsWith(QLatin1Char('"')) && after < text.size() &&
            text.at(after) == QLatin1Char('"'))
            ++after;
        QString parameters = text.mid(after).trimmed();
        // Windows Installer registers "/I{product}" for most products: started as it is,
        // it reinstalls the product and leaves it installed.
        static const QRegularExpression maintenance(QStringLiteral(R"(^[/-][iI]\s*(?=\{))"));
        parameters.replace(maintenance, QStringLiteral("/X"));
        command.parameters_ = parameters;
        return command;
    }
    if (text.startsWith(QLatin1Char('"'))) {
        const int close = text.indexOf(QLatin1Char('"'), 1);
        if (close > 0) {
            command.program_ = text.mid(1, close - 1);
            command.parameters_ = text.mid(close + 1);
        }
        return command;
    }
    for (const QLatin1String extension : {QLatin1String(".exe"), QLatin1String(".bat")}) {
        const int at = text.indexOf(extension, 0, Qt::CaseInsensitive);
        if (at >= 0) {
            command.cutAtBlank(text, at + extension.size());
            return command;
        }
    }
    command.cutAtBlank(text, lastBackslash(text) + 1);
    return command;
}

void UninstallCommand::cutAtBlank(const QString& text, int from) {
    const int blank = text.indexOf(QLatin1Char(' '), from);
    program_ = blank < 0 ? text : text.left(blank);
    parameters_ = blank < 0 ? QString() : text.mid(blank + 1);
}

QString UninstallCommand::folder() const {
    int end =
        std::max(program_.lastIndexOf(QLatin1Char('\\')), program_.lastIndexOf(QLatin1Char('/')));
    while (end > 0 &&
           (program_.at(end - 1) == QLatin1Char('\\') || program_.at(end - 1) == QLatin1Char('/')))
        --end;
    return end > 0 ? program_.left(end) : QString();
}
