#pragma once

#include <QImage>
#include <QString>

// Screenshots of UI tests go to $MERIVANE_SCREENSHOT_DIR, or to a folder under the system
// temp folder when it is unset, so that they can be looked at after the run.
QString screenshotDir();

// Saves image as <dir>/<name>.png and returns the full path (empty when saving failed).
QString saveScreenshot(const QImage& image, const QString& name);
