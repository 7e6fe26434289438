#include "LM_QQFilesModel.h"

LM_QQFilesModel::LM_QQFilesModel(QObject* parent) : LM_ChatFilesModel("QQID", "visiable", parent) {}
