#include "UserPrompt.h"

#include <QDebug>
#include <QString>

namespace {
// Read and written on the GUI thread only.
UserPrompt::Answers& installed() {
    static UserPrompt::Answers answers;
    return answers;
}
} // namespace

UserPrompt::Answers UserPrompt::install(Answers answers) {
    std::swap(installed(), answers);
    return answers;
}

void UserPrompt::inform(const QString& text) {
    if (installed().inform)
        installed().inform(text);
    else
        qInfo().noquote() << "untold:" << text;
}

void UserPrompt::warn(const QString& text) {
    if (installed().warn)
        installed().warn(text);
    else
        qWarning().noquote() << "untold:" << text;
}

bool UserPrompt::askYesNo(const QString& question) {
    if (installed().askYesNo)
        return installed().askYesNo(question);
    qInfo().noquote() << "unasked, taken as no:" << question;
    return false;
}
