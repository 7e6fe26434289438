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

    // Where the default folder goes: the largest fixed drive on another volume than C:'s,
    // else the largest other fixed drive, else C: ("C:\"); empty when no drive is found.
    static QString defaultRoot();
    // Shows the stored folder, or first stores root + "大文件搬家" when none is, and
    // creates it on disk. Without a root the bare name is shown only: stored or created it
    // would name a folder wherever the program runs. Returns the folder.
    static QString setUp(QLabel* label, const QString& root);
    // Lets the user pick another folder; a cancelled dialog changes nothing.
    static void choose(QLabel* label);
};
