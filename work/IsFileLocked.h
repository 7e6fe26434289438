#pragma once

#include <filesystem>

// True when the file cannot be opened as an input byte stream (sharing everything),
// sought to its end and back: such a file is in use and must be left alone.
bool IsFileLocked(const std::filesystem::path& path);
