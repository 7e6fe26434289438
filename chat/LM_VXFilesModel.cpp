#include "LM_VXFilesModel.h"

LM_VXFilesModel::LM_VXFilesModel(QObject* parent) : LM_ChatFilesModel("VXID", "visible", parent) {}
