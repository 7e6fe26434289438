#pragma once

#include <QDateTime>
#include <cstdint>

// A file time as Windows keeps it (FileRow::modified, FileFacts::modified: 100 ns ticks
// since 1601-01-01 UTC) as a local date and time.
QDateTime FileTimeToDateTime(std::int64_t ticks);
