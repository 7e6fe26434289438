#pragma once

#include "Merivane.h"
#include "SampleProfile.h"

#include <QApplication>
#include <QDebug>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

// The real main window on the sample profile, made as start-up makes it: meta-types, the
// broker, Qt's Chinese texts, the works' status callbacks, the fixed size, shown at the
// screen's corner. For the window tests of every page.
class SampleWindow {
public:
    // Builds the sample profile; the process is not pointed at it yet.
    SampleWindow() = default;

    // Points the process at the profile and forgets the settings of an earlier run. False
    // (error() says why) when the profile could not be built.
    bool applyProfile();
    // Makes the window (with `make`, for a window class of the test's own) and shows it.
    // False when it was not exposed.
    bool open(const std::function<std::unique_ptr<Merivane>()>& make = {});
    // Destroys the window (before what it shows goes away).
    void close() { shown.reset(); }

    QString error() const { return problem; }
    SampleProfile& profile() { return sample; }
    Merivane* window() const { return shown.get(); }

    // A widget of the window by object name, or null (with a warning).
    template <class T = QWidget> T* child(const QString& name) const {
        T* widget = shown->findChild<T*>(name);
        if (!widget)
            qWarning() << "no widget" << name;
        return widget;
    }
    // A screenshot of the window; settle: let the QML pages render first.
    QString shoot(const QString& name, bool settle = true) const;

    // Answers the modal window (message box, dialog) that the test's next action opens,
    // from inside that window's own event loop: `answer` gets it as a T* and must close
    // it. Nothing is called when no modal window of that class opens.
    template <class T = QWidget, class Answer> void answerNextModal(Answer answer) const {
        QTimer::singleShot(0, shown.get(), [answer = std::move(answer)] {
            if (T* modal = qobject_cast<T*>(QApplication::activeModalWidget()))
                answer(modal);
        });
    }
    // A screenshot of a modal window once it has shown; empty when it did not show.
    static QString shootModal(QWidget* modal, const QString& name);

private:
    SampleProfile sample;
    std::unique_ptr<Merivane> shown;
    QString problem;
};
