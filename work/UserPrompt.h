#pragma once

#include <functional>

class QString;

// How the engines tell and ask the user. The face the program shows fills it in: the window
// with message boxes (no parent, an empty title), the command line with standard error and
// its flags. Until one does, nothing is shown and every question is answered no, so that an
// engine never waits for a user who is not there. Engines hold these behind replaceable
// functions of their own, so tests meet no modal box either way.
class UserPrompt {
public:
    struct Answers {
        std::function<void(const QString& text)> inform;
        std::function<void(const QString& text)> warn;
        // A question with the buttons "是" and "否"; true when "是" was chosen.
        std::function<bool(const QString& question)> askYesNo;
    };

    // Puts `answers` in place (GUI thread, before the engines ask) and returns the ones they
    // replace.
    static Answers install(Answers answers);

    static void inform(const QString& text);
    static void warn(const QString& text);
    static bool askYesNo(const QString& question);
};
