#pragma once

#include "TaggedFileListModel.h"

#include <QByteArray>

// The files of one chat category, tagged with their account. The two chat programs name the
// account role and the visibility role differently.
class LM_ChatFilesModel : public TaggedFileListModel {
public:
    static constexpr int AccountRole = TagRole;

protected:
    LM_ChatFilesModel(QByteArray accountRoleName, QByteArray visibleRoleName, QObject* parent)
        : TaggedFileListModel(std::move(accountRoleName), std::move(visibleRoleName), parent) {}
};
