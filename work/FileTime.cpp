#include "FileTime.h"

namespace {
constexpr std::int64_t ticksPerMs = 10000;
constexpr std::int64_t msFrom1601To1970 = 11644473600000LL;
} // namespace

QDateTime FileTimeToDateTime(std::int64_t ticks) {
    return QDateTime::fromMSecsSinceEpoch(ticks / ticksPerMs - msFrom1601To1970, Qt::LocalTime);
}

std::int64_t CurrentFileTime() {
    return (QDateTime::currentMSecsSinceEpoch() + msFrom1601To1970) * ticksPerMs;
}
