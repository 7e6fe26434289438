#pragma once

#include <QDialog>
#include <QPoint>
#include <memory>

namespace Ui {
class AboutUsDlgClass;
}

// The about box: a frameless, translucent dialog whose whole content is a QML scene. The
// scene reads the texts below and closes the dialog through the context property
// "HostWindow".
class AboutUsDlg : public QDialog {
    Q_OBJECT

public:
    explicit AboutUsDlg(QWidget* parent = nullptr);
    ~AboutUsDlg() override;

    Q_INVOKABLE QString appName() const;
    Q_INVOKABLE QString developer() const;
    Q_INVOKABLE QString phone() const;
    Q_INVOKABLE void go_reject();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<Ui::AboutUsDlgClass> ui_;
    QPoint dragOffset_;
};
