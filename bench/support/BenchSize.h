#pragma once

#include <QCoreApplication>
#include <QStringList>

// Which size a benchmark runs at: its usual one, or a heavy user's with --heavy.
inline bool HeavyRun() {
    return QCoreApplication::arguments().contains(QStringLiteral("--heavy"));
}
