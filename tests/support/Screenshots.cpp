#include "Screenshots.h"

#include <QDir>

QString screenshotDir() {
    QString dir = qEnvironmentVariable("MERIVANE_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = QDir::temp().filePath(QStringLiteral("merivane-screenshots"));
    QDir().mkpath(dir);
    return dir;
}

QString saveScreenshot(const QImage& image, const QString& name) {
    const QString path = QDir(screenshotDir()).filePath(name + QStringLiteral(".png"));
    return image.save(path) ? path : QString();
}
