#pragma once

#include <QString>
#include <filesystem>

// Conversions between file-system paths and Qt text that never throw. Names that are not
// valid UTF-8 show with U+FFFD, so keep the fs::path for file operations and use the text
// for display only.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& text);
// A native path as the user knows it, in Windows form ("C:\Users\..."), for display and
// the logs.
QString WindowsPathText(const std::filesystem::path& path);
