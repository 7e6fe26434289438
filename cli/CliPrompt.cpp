#include "CliPrompt.h"

#include "CliText.h"
#include "ConsoleOutput.h"

CliPrompt::CliPrompt(bool yes) : yes_(yes) {
    UserPrompt::Answers answers;
    answers.inform = [this](const QString& text) { notes_ << text; };
    answers.warn = [this](const QString& text) {
        warned_ = true;
        ConsoleOutput::errLine(QStringLiteral("merivane-cli: ") + text);
    };
    answers.askYesNo = [this](const QString& question) {
        if (yes_)
            notes_ << CliText::get(CliText::AnsweredYes).arg(question);
        return yes_;
    };
    previous_ = UserPrompt::install(std::move(answers));
}

CliPrompt::~CliPrompt() {
    UserPrompt::install(std::move(previous_));
}

QStringList CliPrompt::takeNotes() {
    QStringList notes;
    notes.swap(notes_);
    return notes;
}
