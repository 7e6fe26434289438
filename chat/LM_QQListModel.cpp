#include "LM_QQListModel.h"

#include "LM_QQFilesModel.h"
#include "RuleFiles.h"

LM_QQListModel::LM_QQListModel(QString folderText, QJsonDocument rules,
                               FileListModel::SelectedChanged selectedChanged, QObject* parent)
    : LM_ChatListModel(std::move(folderText), std::move(rules), std::move(selectedChanged),
                       parent) {
    build();
}

LM_ChatFilesModel* LM_QQListModel::createFilesModel() {
    return new LM_QQFilesModel;
}

QString LM_QQListModel::categoryPath(const QJsonValue& path) const {
    return RuleFiles::CategoryPath(path);
}
