#pragma once

#include <QString>

class LM_PrivacyFolderModel;

// One row of the privacy page: a group title above the grid of its trace items.
struct TPrivacyGroup {
    QString id;
    QString title;
    QString sizeText; // shown right of the title; nothing fills it yet
    LM_PrivacyFolderModel* model = nullptr;
};
