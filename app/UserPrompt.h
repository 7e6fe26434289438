#pragma once

class QString;

// The program's own message boxes: no parent, an empty title. Engines call these through a
// seam tests can replace.
class UserPrompt {
public:
    static void inform(const QString& text);
    static void warn(const QString& text);
    // A question with the buttons "是" and "否"; true when "是" was chosen.
    static bool askYesNo(const QString& question);
};
