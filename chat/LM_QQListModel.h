#pragma once

#include "LM_ChatListModel.h"

// The categories of the QQ page (rules of QQCleanData.json) and QQ's accounts.
class LM_QQListModel : public LM_ChatListModel {
    Q_OBJECT
public:
    LM_QQListModel(QString folderText, QJsonDocument rules,
                   FileListModel::SelectedChanged selectedChanged, QObject* parent = nullptr);

protected:
    // A list of folders is kept joined, each followed by ";"; "%NAME%" references expanded.
    QString categoryPath(const QJsonValue& path) const override;
    LM_ChatFilesModel* createFilesModel() override;
};
