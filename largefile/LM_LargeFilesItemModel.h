#pragma once

#include "TaggedFileListModel.h"

// The files of one large-file category, tagged with the category's id ("groupID"). Nothing
// is hidden here, so the list has no visibility role.
class LM_LargeFilesItemModel : public TaggedFileListModel {
    Q_OBJECT
public:
    static constexpr int GroupIdRole = TagRole;

    explicit LM_LargeFilesItemModel(QObject* parent = nullptr)
        : TaggedFileListModel("groupID", {}, parent) {}
};
