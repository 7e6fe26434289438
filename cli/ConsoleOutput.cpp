#include "ConsoleOutput.h"

#include <cstdio>

void ConsoleOutput::out(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

void ConsoleOutput::outLine(const QString& line) {
    out(line.toUtf8() + '\n');
}

void ConsoleOutput::errLine(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    // What is on the way to standard output goes first, so that the two read in order.
    std::fflush(stdout);
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void ConsoleOutput::errOverwrite(const QString& line) {
    const QByteArray bytes = '\r' + line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void ConsoleOutput::flush() {
    std::fflush(stdout);
    std::fflush(stderr);
}
