#pragma once

#include "UserPrompt.h"

#include <QStringList>

// The command line's answers to what the engines tell and ask the user, in place of the
// window's message boxes while it lives: what they tell becomes a note of the listing, a
// warning goes to standard error, and a question is answered yes only with --yes (and the
// question, with its answer, becomes a note).
class CliPrompt {
public:
    explicit CliPrompt(bool yes);
    ~CliPrompt();
    CliPrompt(const CliPrompt&) = delete;
    CliPrompt& operator=(const CliPrompt&) = delete;

    // What was told or asked so far; the list is empty afterwards.
    QStringList takeNotes();
    // Whether an engine warned (and so refused something).
    bool warned() const { return warned_; }

private:
    bool yes_;
    bool warned_ = false;
    QStringList notes_;
    UserPrompt::Answers previous_;
};
