#pragma once

#include <QObject>
#include <QTimer>
#include <QVector>

class QAbstractItemModel;

// Gathers the rows of a model whose values changed and announces them with one
// dataChanged a moment later, so a scan that refreshes a row hundreds of times a second
// costs the views one repaint per interval. GUI thread only.
class RowChangeCoalescer : public QObject {
    Q_OBJECT
public:
    RowChangeCoalescer(QAbstractItemModel* model, QVector<int> roles, int intervalMs = 40);

    void changed(int row);
    // Announces what is pending now (end of a run).
    void flush();
    // Drops what is pending: the rows are gone or the model was reset.
    void forget();

private:
    QAbstractItemModel* model_;
    QVector<int> roles_;
    QTimer timer_;
    int first_ = -1;
    int last_ = -1;
};
