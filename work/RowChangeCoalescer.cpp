#include "RowChangeCoalescer.h"

#include <QAbstractItemModel>
#include <algorithm>

RowChangeCoalescer::RowChangeCoalescer(QAbstractItemModel* model, QVector<int> roles,
                                       int intervalMs)
    : QObject(model), model_(model), roles_(std::move(roles)) {
    timer_.setSingleShot(true);
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &RowChangeCoalescer::flush);
}

void RowChangeCoalescer::changed(int row) {
    first_ = first_ < 0 ? row : std::min(first_, row);
    last_ = std::max(last_, row);
    if (!timer_.isActive())
        timer_.start();
}

void RowChangeCoalescer::flush() {
    timer_.stop();
    if (first_ < 0)
        return;
    const int rows = model_->rowCount();
    const int first = first_;
    const int last = std::min(last_, rows - 1);
    first_ = last_ = -1;
    if (first <= last)
        emit model_->dataChanged(model_->index(first, 0), model_->index(last, 0), roles_);
}

void RowChangeCoalescer::forget() {
    timer_.stop();
    first_ = last_ = -1;
}
