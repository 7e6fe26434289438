#include "DraggableDialog.h"

#include <QMouseEvent>

DraggableDialog::DraggableDialog(QWidget* parent) : QDialog(parent) {}

void DraggableDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_ = event->globalPos() - frameGeometry().topLeft();
    event->accept();
}

void DraggableDialog::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPos() - dragOffset_);
    event->accept();
}

void DraggableDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_ = QPoint();
    event->accept();
}
