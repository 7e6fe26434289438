#pragma once

#include "LM_ChatFilesModel.h"

// The files of one WeChat category; the page reads the account as "VXID" and the
// visibility as "visible".
class LM_VXFilesModel : public LM_ChatFilesModel {
    Q_OBJECT
public:
    explicit LM_VXFilesModel(QObject* parent = nullptr);
};
