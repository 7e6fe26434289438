#pragma once

#include "DuplicateFile.h"
#include "LM_DuplicateFileListNodes.h"

#include <QAbstractListModel>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <set>
#include <string>
#include <vector>

class LM_DuplicateFileListNode;
class RowLimitProxyModel;

// The file types of the duplicate page, one row per entry of the rule file (pictures,
// documents, videos, audio, archives, installers): each with its duplicate groups and the
// all-files table the page lists. Also the page's source of scan progress signals.
// GUI thread only: the work hands it what its workers found in batches.
class LM_DuplicateFileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum TGroupRoles {
        IDRole = Qt::UserRole + 1,
        ExtRole,
        TitleRole,
        SizeRole,
        CheckedRole,
        NodesRole,
        AllTableRole = Qt::UserRole + 8,
        NodesCountRole,
        NodesSizeRole,
        IconRole,
    };
    Q_ENUM(TGroupRoles)

    struct TTypeGroup {
        QString id;
        // Lower-case, each with its leading dot (".jpg").
        std::set<std::string> extensions;
        QString title;
        std::uint64_t size = 0;
        bool checked = false;
        LM_DuplicateFileListNodes* nodes = nullptr;
        LM_DuplicateFileListNode* allTable = nullptr;
        RowLimitProxyModel* nodesProxy = nullptr;
        QString icon;
    };

    // One type per object of the rule array; anything else is ignored.
    explicit LM_DuplicateFileListModel(const QJsonDocument& rules, QObject* parent = nullptr);

    QHash<int, QByteArray> roleNames() const override;
    Q_INVOKABLE int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // "id" and "title" of a type; empty for a row out of range.
    Q_INVOKABLE QJsonObject item(int row) const;

    const std::vector<TTypeGroup>& types() const { return types_; }
    // The page's root object, kept for the page's sake.
    void setRootObject(QObject* root) { rootObject_ = root; }
    QObject* rootObject() const { return rootObject_; }

    // Scan start: every group and table emptied, the views told. Returns the old groups'
    // files, to be freed off the GUI thread.
    std::vector<std::vector<LM_DuplicateFileListNodes::TCRC32Node>> clearAll();
    // Groups found by the workers, each appended to its type's groups and all-files table
    // (one insertion per type), and the page told the new figures.
    void addGroups(std::vector<DuplicateGroup>& groups);
    // Over all types: groups, the bytes of all their copies, ticked rows.
    void collectTotals(int& groups, std::uint64_t& bytes, int& checked) const;
    // Each all-files table tells the page its groups, size and ticked count.
    void sendTableInfo();

signals:
    void currentScanPathChange(QString APath);
    void scanStatusChanged(int nStatus);
    void scanDriveChanged(QString Drive);
    void scanFinishedInfo(int NodesCount, QString NodesSize, int CheckedCount);
    void popMsgTip(QString tip);

public slots:
    // Tells the views that a type's "size" changed; other commands are ignored.
    void updateGroupTitleInfo(QString ID, QString CMD);
    void sendCurrentScanPathChange(QString APath) { emit currentScanPathChange(APath); }
    void sendScanStatusChanged(int nStatus) { emit scanStatusChanged(nStatus); }
    void sendScanDriveChanged(QString Drive) { emit scanDriveChanged(Drive); }
    void sendScanFinishedInfo(int NodesCount, QString NodesSize, int CheckedCount) {
        emit scanFinishedInfo(NodesCount, NodesSize, CheckedCount);
    }

private:
    std::vector<TTypeGroup> types_;
    QJsonDocument rules_;
    QObject* rootObject_ = nullptr;
};
