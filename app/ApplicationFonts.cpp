#include "ApplicationFonts.h"

#include <QApplication>
#include <QDebug>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {
// Adds one font file and logs what came of it; returns its families.
QStringList addFont(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    if (id == -1)
        qDebug() << "Failed to load font:" << path;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty())
        qDebug() << "fontFamilies" << families;
    return families;
}
} // namespace

void ApplicationFonts::install() {
    const QStringList families = addFont(QStringLiteral("./fonts/HarmonyOS_SansSC_Regular.otf"));
    QFont font;
    if (families.isEmpty()) {
        font.setFamily(QStringLiteral("Microsoft YaHei"));
    } else {
        font = QFont(families.first());
        font.setPixelSize(14);
    }
    QApplication::setFont(font);

    for (const char* file :
         {"./fonts/SourceHanSansCN-Regular.otf", "./fonts/SourceHanSansCN-Bold.otf",
          "./fonts/SourceHanSansCN-Medium.otf"})
        addFont(QString::fromLatin1(file));
}
