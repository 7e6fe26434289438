#include "LM_DuplicateFileListNode.h"

#include "FileTime.h"
#include "FormatFileSize.h"
#include "LM_DuplicateFileListNodes.h"
#include "PathQString.h"

LM_DuplicateFileListNode::LM_DuplicateFileListNode(LM_DuplicateFileListNodes* owner,
                                                   QObject* parent)
    : FileListModel(parent), owner_(owner) {
    // Ticks and hiding change the count the page shows beside the type.
    connect(this, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QVector<int>& roles) {
                if (!roles.contains(CheckedRole) && !roles.contains(VisibleRole))
                    return;
                if (hiding_)
                    countStale_ = true;
                else
                    sendCheckedCountChanged();
            });
}

QHash<int, QByteArray> LM_DuplicateFileListNode::roleNames() const {
    return {{IDRole, "ID"},          {ShortNameRole, "ShortName"},   {PathRole, "Path"},
            {SizeRole, "Size"},      {CreateTimeRole, "CreateTime"}, {CheckedRole, "checked"},
            {VisibleRole, "visible"}};
}

void LM_DuplicateFileListNode::appendFiles(const std::vector<DuplicateFile>& files) {
    std::vector<FileRow> rows;
    rows.reserve(files.size());
    for (const DuplicateFile& file : files)
        rows.push_back(file.row);
    const int first = this->rows();
    append(std::move(rows));
    // append() numbers the new rows in order at the end.
    for (std::size_t i = 0; i < files.size(); ++i)
        origins_[at(first + static_cast<int>(i)).id] = Origin{files[i].identity, files[i].root};
}

std::optional<LM_DuplicateFileListNode::Origin>
LM_DuplicateFileListNode::origin(std::uint64_t id) const {
    const auto it = origins_.find(id);
    if (it == origins_.end())
        return std::nullopt;
    return it->second;
}

void LM_DuplicateFileListNode::hide(const std::vector<std::uint64_t>& ids) {
    // The count is said once, not once per row: each saying counts every row.
    hiding_ = true;
    countStale_ = false;
    setVisible(ids, false);
    hiding_ = false;
    if (countStale_)
        sendCheckedCountChanged();
}

void LM_DuplicateFileListNode::clearFiles() {
    clear();
    origins_.clear();
}

void LM_DuplicateFileListNode::sendInfo(int groups) {
    std::uint64_t bytes = 0;
    for (int row = 0; row < rows(); ++row) {
        if (at(row).visible)
            bytes += at(row).size;
    }
    emit nodeInfoTableChanged(groups, FormatFileSize(bytes), checkedCount());
}

void LM_DuplicateFileListNode::setChecked(int index, bool checked) {
    // An unchanged tick announces nothing, so say the count anyway: the page asked.
    if (!setRowChecked(index, checked) && index >= 0 && index < rows())
        sendCheckedCountChanged();
}

void LM_DuplicateFileListNode::sendCheckedCountChanged() {
    if (owner_)
        owner_->sendCheckedCountChanged();
    emit nodeCheckedCountChanged(checkedCount());
}

QVariant LM_DuplicateFileListNode::roleData(const FileRow& row, int role) const {
    switch (role) {
    case IDRole:
        return row.group;
    case ShortNameRole:
        return PathToQString(row.path.filename());
    case PathRole:
        return WindowsPathText(row.path.parent_path());
    case SizeRole:
        return FormatFileSize(row.size);
    case CreateTimeRole:
        if (row.modified == 0)
            return QString();
        return FileTimeToDateTime(row.modified).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    case CheckedRole:
        return row.checked;
    case VisibleRole:
        return row.visible;
    default:
        return {};
    }
}
