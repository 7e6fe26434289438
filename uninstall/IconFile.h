#pragma once

#include <QString>
#include <filesystem>

// The file behind a registry DisplayIcon value such as "C:\App\app.exe",0.
class IconFile {
public:
    // The path before the first comma (which starts the icon index), quotes removed.
    static QString path(const QString& displayIcon);
    // The same as a native path; empty for an empty value.
    static std::filesystem::path nativePath(const QString& displayIcon);
    // Whether the value names an icon file (.ico) rather than a program or library.
    static bool isIconFile(const QString& displayIcon);
    // The file's last write in local time as yyyyMMdd. Empty for Windows Installer's own
    // program and for a file that is missing or whose time cannot be read; never throws.
    static QString dateText(const QString& displayIcon);
};
