#include "platform/Console.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

namespace {
int descriptor(Console::Stream stream) {
    return stream == Console::Stream::Output ? STDOUT_FILENO : STDERR_FILENO;
}
} // namespace

bool Console::isTerminal(Stream stream) {
    return ::isatty(descriptor(stream)) == 1;
}

int Console::width(Stream stream) {
    winsize size{};
    if (::ioctl(descriptor(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

void Console::useUtf8() {}

} // namespace platform
