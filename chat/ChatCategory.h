#pragma once

#include <QString>

class LM_ChatFilesModel;
class RowLimitProxyModel;

// One category of a chat page: a rule entry, its tick and the files a scan found for it.
// Belongs to the GUI thread; its list model owns it and its two models.
struct ChatCategory {
    QString id;
    // The rule's folder text: relative to an account folder, or (QQ) absolute, or several
    // folders each followed by ";".
    QString path;
    QString title;
    bool checked = false;
    LM_ChatFilesModel* files = nullptr;
    RowLimitProxyModel* proxy = nullptr;
};
