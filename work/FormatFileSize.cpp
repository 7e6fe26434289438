#include "FormatFileSize.h"

namespace {
QString withUnit(double value, const char* unit, bool numberOnly) {
    QString text = QString::number(value, 'f', 2);
    if (!numberOnly)
        text += QLatin1String(unit);
    return text;
}
} // namespace

QString FormatFileSize(std::uint64_t bytes, bool numberOnly) {
    const double gib = static_cast<double>(bytes) / (1ull << 30);
    if (gib > 1.0)
        return withUnit(gib, "GB", numberOnly);
    const float mib = static_cast<float>(bytes) / static_cast<float>(1ull << 20);
    if (mib > 1.0f)
        return withUnit(mib, "MB", numberOnly);
    return withUnit(static_cast<double>(bytes) / (1ull << 10), "KB", numberOnly);
}
