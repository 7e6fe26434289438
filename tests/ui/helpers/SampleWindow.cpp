#include "SampleWindow.h"

#include "AppPaths.h"
#include "QtTranslations.h"
#include "Screenshots.h"
#include "WorkBroker.h"
#include "WorkMetaTypes.h"

#include <QFile>
#include <QGuiApplication>
#include <QTest>

bool SampleWindow::applyProfile() {
    if (!sample.isValid()) {
        problem = sample.error();
        return false;
    }
    sample.apply();
    QFile::remove(AppPaths::current().configFile);
    return true;
}

bool SampleWindow::open(const std::function<std::unique_ptr<Merivane>()>& make) {
    RegisterWorkMetaTypes();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("C盘清理"));
    static const bool translated = QtTranslations::install();
    if (!translated) {
        problem = QStringLiteral("Qt's Chinese texts were not loaded");
        return false;
    }
    if (!workBroker)
        workBroker = new WorkBroker();
    shown = make ? make() : std::make_unique<Merivane>();
    shown->setFixedSize(1202, 770);
    WorkBroker::InstallStatusCallbacks(shown->works());
    shown->show();
    shown->move(0, 0);
    if (!QTest::qWaitForWindowExposed(shown.get())) {
        problem = QStringLiteral("the window was not exposed");
        return false;
    }
    return true;
}

namespace {
QString grabAndSave(QWidget* widget, const QString& name) {
    const QString path = saveScreenshot(widget->grab().toImage(), name);
    if (path.isEmpty())
        qWarning() << "screenshot not saved:" << name;
    return path;
}
} // namespace

QString SampleWindow::shoot(const QString& name, bool settle) const {
    if (settle)
        QTest::qWait(200);
    return grabAndSave(shown.get(), name);
}

QString SampleWindow::shootModal(QWidget* modal, const QString& name) {
    if (!QTest::qWaitForWindowExposed(modal))
        return {};
    // Boxes and dialogs fade in and lay out their text once shown.
    QTest::qWait(300);
    return grabAndSave(modal, name);
}
