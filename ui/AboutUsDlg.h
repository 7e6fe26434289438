#pragma once

#include "DraggableDialog.h"

#include <memory>

namespace Ui {
class AboutUsDlgClass;
}

// The about box: a frameless, translucent dialog whose whole content is a QML scene. The
// scene reads the texts below and closes the dialog through the context property
// "HostWindow".
class AboutUsDlg : public DraggableDialog {
    Q_OBJECT

public:
    explicit AboutUsDlg(QWidget* parent = nullptr);
    ~AboutUsDlg() override;

    Q_INVOKABLE QString appName() const;
    Q_INVOKABLE QString developer() const;
    Q_INVOKABLE QString phone() const;
    Q_INVOKABLE void go_reject();

private:
    std::unique_ptr<Ui::AboutUsDlgClass> ui_;
};
