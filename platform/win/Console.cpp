#include "platform/Console.h"

#include <windows.h>

namespace platform {

namespace {
HANDLE handleOf(Console::Stream stream) {
    return GetStdHandle(stream == Console::Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}
} // namespace

bool Console::isTerminal(Stream stream) {
    // A console answers for its mode; a file, a pipe and the NUL device do not.
    DWORD mode = 0;
    return GetConsoleMode(handleOf(stream), &mode) != 0;
}

int Console::width(Stream stream) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(handleOf(stream), &info)) {
        const int columns = info.srWindow.Right - info.srWindow.Left + 1;
        if (columns > 0)
            return columns;
    }
    return 80;
}

void Console::useUtf8() {
    SetConsoleOutputCP(CP_UTF8);
}

} // namespace platform
