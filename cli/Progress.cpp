#include "Progress.h"

#include "ConsoleOutput.h"

#include <platform/Console.h>

namespace {
// Columns a character takes on a terminal: the wide East Asian ones two.
int columnsOf(QChar c) {
    const ushort u = c.unicode();
    const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                      (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                      (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                      (u >= 0xFFE0 && u <= 0xFFE6);
    return wide ? 2 : 1;
}

// The line cut to fit `width` columns, padded with blanks over what the last one showed.
QString fitted(const QString& line, int width) {
    QString out;
    int used = 0;
    for (const QChar c : line) {
        const int columns = columnsOf(c);
        if (used + columns > width)
            break;
        out += c;
        used += columns;
    }
    return out + QString(width - used, QLatin1Char(' '));
}
} // namespace

Progress::Progress(QObject* parent)
    : QObject(parent), terminal_(platform::Console::isTerminal(platform::Console::Stream::Error)),
      width_(platform::Console::width(platform::Console::Stream::Error) - 1) {
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] { show(); });
}

Progress::~Progress() {
    stop();
}

void Progress::start(std::function<QString()> line) {
    line_ = std::move(line);
    if (!terminal_)
        return;
    // At once, so that even a quick run shows what it does.
    show();
    timer_.start();
}

void Progress::stop() {
    timer_.stop();
    if (shown_) {
        ConsoleOutput::errOverwrite(QString(width_, QLatin1Char(' ')) + QLatin1Char('\r'));
        shown_ = false;
    }
}

void Progress::show() {
    if (!line_)
        return;
    ConsoleOutput::errOverwrite(fitted(line_(), width_));
    shown_ = true;
}
