#include "QtTranslations.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTranslator>

bool QtTranslations::install() {
    // The resource bundle carries it under this name (resources/CMakeLists.txt).
    const QString file = QStringLiteral(":/translations/qtbase_zh_CN.qm");
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file)) {
        qDebug() << "Failed to load translation:" << file;
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
