#pragma once

#include <QString>

class LM_GroupModel;

// One row of the C-drive page: a rule group and its tiles.
struct Group {
    QString id;
    QString title;    // may hold rich-text markup
    QString sizeText; // shown right of the title; nothing fills it yet
    LM_GroupModel* model = nullptr;
};
