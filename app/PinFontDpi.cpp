#include "PinFontDpi.h"

#include <QByteArray>
#include <QtGlobal>

void PinFontDpi() {
    if (!qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        return;
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_SCALE_FACTOR", "1.0");
}
