#pragma once

#include <QDialog>
#include <QPoint>

// A frameless dialog has no title bar to grab: any press on its body with the left button
// starts a drag that keeps the cursor at the same spot of the dialog.
class DraggableDialog : public QDialog {
    Q_OBJECT

public:
    explicit DraggableDialog(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint dragOffset_;
};
