#pragma once

#include "LM_ChatListModel.h"

// The categories of the WeChat page (rules of VXCleanData.json) and WeChat's accounts.
class LM_VXListModel : public LM_ChatListModel {
    Q_OBJECT
public:
    LM_VXListModel(QString folderText, QJsonDocument rules,
                   FileListModel::SelectedChanged selectedChanged, QObject* parent = nullptr);

protected:
    LM_ChatFilesModel* createFilesModel() override;
};
