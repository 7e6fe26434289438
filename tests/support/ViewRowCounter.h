#pragma once

#include <QAbstractItemModel>
#include <QObject>

// Counts a model's rows the way a view does: only from the model's announcements. A model
// that changes its rows without telling shows as a count that differs from rowCount().
class ViewRowCounter {
public:
    explicit ViewRowCounter(QAbstractItemModel* model) : model_(model), count_(model->rowCount()) {
        QObject::connect(
            model, &QAbstractItemModel::rowsInserted,
            [this](const QModelIndex&, int first, int last) { count_ += last - first + 1; });
        QObject::connect(
            model, &QAbstractItemModel::rowsRemoved,
            [this](const QModelIndex&, int first, int last) { count_ -= last - first + 1; });
        QObject::connect(model, &QAbstractItemModel::modelReset,
                         [this] { count_ = model_->rowCount(); });
        QObject::connect(model, &QAbstractItemModel::layoutChanged,
                         [this] { count_ = model_->rowCount(); });
    }
    ViewRowCounter(const ViewRowCounter&) = delete;
    ViewRowCounter& operator=(const ViewRowCounter&) = delete;

    int count() const { return count_; }
    // Whether the view counts as many rows as the model has.
    bool agrees() const { return count_ == model_->rowCount(); }

private:
    QAbstractItemModel* model_;
    int count_;
};
