#pragma once

#include <QString>

class LM_ChatFilesModel;
class RowLimitProxyModel;
class ShownRowsProxyModel;

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
    // The files the page shows, and those ten at a time.
    ShownRowsProxyModel* shown = nullptr;
    RowLimitProxyModel* proxy = nullptr;
};
