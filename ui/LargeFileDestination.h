#pragma once

#include <QString>

class QLabel;

// The folder large files are moved to: the configuration key LargeFileSaveDir, shown in
// a label on the large-file page.
class LargeFileDestination {
public:
    // "config.ini" beside the executable.
    static QString configPath();
    static QString stored();
    static void store(const QString& folder);

    // Shows the stored folder, or first stores largestRoot + "大文件搬家" when none is,
    // and creates it on disk. Returns the folder.
    static QString setUp(QLabel* label, const QString& largestRoot);
    // Lets the user pick another folder; a cancelled dialog changes nothing.
    static void choose(QLabel* label);
};
