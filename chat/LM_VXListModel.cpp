#include "LM_VXListModel.h"

#include "LM_VXFilesModel.h"

LM_VXListModel::LM_VXListModel(QString folderText, QJsonDocument rules,
                               FileListModel::SelectedChanged selectedChanged, QObject* parent)
    : LM_ChatListModel(std::move(folderText), std::move(rules), std::move(selectedChanged),
                       parent) {
    build();
}

LM_ChatFilesModel* LM_VXListModel::createFilesModel() {
    return new LM_VXFilesModel;
}
