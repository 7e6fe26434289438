#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>

struct TPrivacyItem;

// The trace items of one privacy group. Rows, ticks and counts belong to the GUI thread:
// the scan's counts arrive there by queued calls, so what the page shows always adds up.
// Every tick and count change is announced with dataChanged for its role.
class LM_PrivacyFolderModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles {
        FolderIdRole = Qt::UserRole + 1,
        FolderIconRole,
        FolderCheckedRole,
        FolderNameRole,
        FolderSizeRole,
        PathRole,
    };

    explicit LM_PrivacyFolderModel(QObject* parent = nullptr);
    ~LM_PrivacyFolderModel() override;

    void addItem(const QString& id, const QString& icon, bool checked, const QString& description,
                 std::uint32_t count, const QString& path);
    const QList<TPrivacyItem*>& items() const { return items_; }
    // Stores the records found for a row; false for a row that does not exist.
    bool setCount(int row, std::uint32_t count);
    // Every count back to 0, as before a scan.
    void resetCounts();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;
    // The checked role changes the tick like setChecked; true when the tick changed.
    Q_INVOKABLE bool setData(const QModelIndex& index, const QVariant& value,
                             int role = FolderCheckedRole) override;

    Q_INVOKABLE void setChecked(int index, bool checked);

public slots:
    // Publishes the count of the item with this id (the last one added with it); an
    // unknown id changes nothing.
    void updatePrivacyFolderItem(const QString& id, uint size);

private:
    bool applyChecked(int row, bool checked);

    QList<TPrivacyItem*> items_;
    QHash<QString, int> rowOfId_;
};

Q_DECLARE_METATYPE(LM_PrivacyFolderModel*)
