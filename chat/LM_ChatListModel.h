#pragma once

#include "ChatCategory.h"
#include "ChatFileFilter.h"
#include "FileListModel.h"

#include <QAbstractListModel>
#include <QJsonDocument>
#include <QList>
#include <QStringList>
#include <memory>
#include <vector>

class LM_ChatFilesModel;
class RowChangeCoalescer;

// The categories of a chat page, one row per rule entry, with the chat program's accounts.
// Rows, ticks and files belong to the GUI thread. A category's tick ticks all its files that
// the page's account and age choice lets through; every change of the ticked, visible bytes
// of any category reaches the work through one callback, so the page's selected amount
// always equals those rows.
class LM_ChatListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles {
        IdRole = Qt::UserRole + 1,
        PathRole,
        TitleRole,
        SizeRole,
        CheckedRole,
        FilesRole,
    };

    ~LM_ChatListModel() override;

    // The chat program's folder as the user knows it ("C:\Users\u\Documents\WeChat Files").
    const QString& folderText() const { return folderText_; }
    // The accounts found at start-up, in the order found, each once.
    const QStringList& accounts() const { return accounts_; }
    void addAccount(const QString& account);

    int categoryCount() const { return static_cast<int>(categories_.size()); }
    ChatCategory& category(int row) const { return *categories_.at(static_cast<size_t>(row)); }

    // Empties every category's file list, announced; sizes drop to 0.
    void clearGroupFiles();
    // Ticks or unticks a category and every file it holds now; false for a row not here.
    bool setCategoryChecked(int row, bool checked);
    // Tells the views now about sizes changed since the last announcement (end of a run).
    void flushSizes();
    // The user's choice of account and age: every category shows, counts and cleans only the
    // files it lets through, now and after every later scan, until the next choice.
    void setFileFilter(const ChatFileFilter& filter);

    Q_INVOKABLE int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The tick role ticks the whole category.
    Q_INVOKABLE bool setData(const QModelIndex& index, const QVariant& value,
                             int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;
    // Ticks or unticks several categories; indexes that name no category are ignored.
    Q_INVOKABLE void SetCheckedIndexs(bool checked, const QList<int>& indexArray);

protected:
    // `selectedChanged` hears every change of the ticked, visible bytes of every category.
    LM_ChatListModel(QString folderText, QJsonDocument rules,
                     FileListModel::SelectedChanged selectedChanged, QObject* parent);

    // Builds a category per rule object, in order; called by the subclass' constructor,
    // which knows its files model. A document that is not an array gives no category.
    void build();
    // The rule's "path" as the category keeps it.
    virtual QString categoryPath(const QJsonValue& path) const;
    virtual LM_ChatFilesModel* createFilesModel() = 0;

private:
    QString folderText_;
    QJsonDocument rules_;
    FileListModel::SelectedChanged selectedChanged_;
    QStringList accounts_;
    std::vector<std::unique_ptr<ChatCategory>> categories_;
    RowChangeCoalescer* sizeChanges_;
};
