#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <cstdint>

struct FolderItem;
class IWork;
class RowChangeCoalescer;

// The tiles of one C-drive group. Its rows belong to the GUI thread: the engine's results
// arrive there in batches, and ticks change the selected amount there too, so the amount
// always equals the sizes of the ticked tiles.
class LM_GroupModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles {
        FolderIconRole = Qt::UserRole + 1,
        FolderCheckedRole,
        FolderNameRole,
        FolderSizeRole,
        PathRole,
    };

    // `work` receives the selected-size changes of tick changes; it may be null.
    explicit LM_GroupModel(IWork* work, QObject* parent = nullptr);
    ~LM_GroupModel() override;

    // `sizeText` is accepted for the rule loader's sake; the size shown is always computed.
    void addItem(const QString& icon, bool checked, const QString& name, const QString& sizeText,
                 const QString& path);
    const QList<FolderItem*>& items() const { return items_; }
    // Forgets the last scan's sizes and tells the views.
    void resetSizes();
    // A scan found `bytes` more below the row's folder. Returns whether the row is ticked,
    // that is whether the bytes count as selected. The views hear of it shortly.
    bool addFound(int row, std::uint64_t bytes);
    // Tells the views now about sizes changed since the last announcement.
    void flushChanges();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;
    // Role 258 changes the tick like setChecked; true when the tick changed.
    Q_INVOKABLE bool setData(const QModelIndex& index, const QVariant& value,
                             int role = Qt::EditRole) override;

    // Ticks or unticks a tile and moves its bytes into or out of the selected amount.
    Q_INVOKABLE void setChecked(int index, bool checked);

private:
    bool applyChecked(int row, bool checked);

    IWork* work_;
    QList<FolderItem*> items_;
    RowChangeCoalescer* sizeChanges_;
};

Q_DECLARE_METATYPE(LM_GroupModel*)
