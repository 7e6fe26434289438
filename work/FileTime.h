#pragma once

#include <QDateTime>
#include <cstdint>

// File times as Windows keeps them (FileRow::modified, FileFacts::modified: 100 ns ticks
// since 1601-01-01 UTC).
constexpr std::int64_t FileTimeTicksPerDay = 864000000000LL;

// A file time as a local date and time.
QDateTime FileTimeToDateTime(std::int64_t ticks);
// The current time as a file time.
std::int64_t CurrentFileTime();
