#pragma once

#include <QByteArray>
#include <QString>

// The command line's two streams, written as UTF-8: standard output for what was asked for
// (the listing, the JSON document), standard error for what went wrong and, on a terminal,
// the progress line.
class ConsoleOutput {
public:
    static void out(const QByteArray& bytes);
    static void outLine(const QString& line);
    static void errLine(const QString& line);
    // Writes a line over the current one of a terminal's standard error, without ending it.
    static void errOverwrite(const QString& line);
    static void flush();
};
