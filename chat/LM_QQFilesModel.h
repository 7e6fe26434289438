#pragma once

#include "LM_ChatFilesModel.h"

// The files of one QQ category; the page reads the account as "QQID" and the
// visibility as "visiable".
class LM_QQFilesModel : public LM_ChatFilesModel {
    Q_OBJECT
public:
    explicit LM_QQFilesModel(QObject* parent = nullptr);
};
