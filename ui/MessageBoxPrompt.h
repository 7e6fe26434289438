#pragma once

#include "UserPrompt.h"

// The window's answers to the engines' messages and questions: message boxes with no
// parent and an empty title, the questions with the buttons "是" and "否".
class MessageBoxPrompt {
public:
    static UserPrompt::Answers answers();
    static void inform(const QString& text);
    static void warn(const QString& text);
    static bool askYesNo(const QString& question);
};
