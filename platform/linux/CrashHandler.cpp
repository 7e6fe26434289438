#include "platform/CrashHandler.h"

#include <csignal>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

// Everything below runs inside a signal handler: no allocation, no stdio, no locks.
namespace {

constexpr int fatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr std::size_t altStackSize = 256 * 1024;
alignas(16) char altStack[altStackSize];

void writeText(int fd, const char* text) {
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = ::write(fd, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= static_cast<std::size_t>(n);
    }
}

// Writes value in the given base into buffer (at least 24 bytes) and returns it.
char* formatNumber(char* buffer, unsigned long long value, unsigned base, int minDigits = 1) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0 && n < 23);
    while (n < minDigits && n < 23)
        digits[n++] = '0';
    for (int i = 0; i < n; ++i)
        buffer[i] = digits[n - 1 - i];
    buffer[n] = '\0';
    return buffer;
}

const char* signalName(int sig) {
    switch (sig) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "signal";
    }
}

// "%Y%m%d%H%M%S.dmp" in local time.
void dumpName(char* name) {
    const time_t now = ::time(nullptr);
    struct tm local {};
    ::localtime_r(&now, &local);
    const int fields[] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                          local.tm_hour,        local.tm_min,     local.tm_sec};
    char* out = name;
    for (std::size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) {
        char digits[24];
        formatNumber(digits, static_cast<unsigned long long>(fields[i]), 10, i == 0 ? 4 : 2);
        const std::size_t len = std::strlen(digits);
        std::memcpy(out, digits, len);
        out += len;
    }
    std::memcpy(out, ".dmp", 5);
}

void copyModules(int fd) {
    const int maps = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (maps < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(maps, buffer, sizeof buffer);
        if (n <= 0)
            break;
        if (::write(fd, buffer, static_cast<std::size_t>(n)) != n)
            break;
    }
    ::close(maps);
}

void writeDump(int fd, int sig, const siginfo_t* info) {
    char number[24];
    writeText(fd, "Signal: ");
    writeText(fd, formatNumber(number, static_cast<unsigned>(sig), 10));
    writeText(fd, " (");
    writeText(fd, signalName(sig));
    writeText(fd, ")\nCode: ");
    writeText(fd, formatNumber(number, static_cast<unsigned>(info ? info->si_code : 0), 10));
    writeText(fd, "\nAddress: 0x");
    writeText(fd, formatNumber(number,
                               reinterpret_cast<unsigned long long>(info ? info->si_addr : nullptr),
                               16));
    writeText(fd, "\nProcess: ");
    writeText(fd, formatNumber(number, static_cast<unsigned>(::getpid()), 10));
    writeText(fd, "\n\nBacktrace:\n");
    void* frames[128];
    const int count = ::backtrace(frames, 128);
    ::backtrace_symbols_fd(frames, count, fd);
    writeText(fd, "\nModules:\n");
    copyModules(fd);
}

void onFatalSignal(int sig, siginfo_t* info, void*) {
    char name[32];
    dumpName(name);
    const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        writeDump(fd, sig, info);
        ::close(fd);
    }
    char number[24];
    writeText(STDERR_FILENO, "record->ExceptionCode:");
    writeText(STDERR_FILENO, formatNumber(number, static_cast<unsigned>(sig), 10));
    writeText(STDERR_FILENO, "\n");
    ::_exit(128 + sig);
}

} // namespace

void CrashHandler::install() {
    // backtrace() loads its unwinder on first use; do that now, outside any handler.
    void* warmUp[1];
    ::backtrace(warmUp, 1);
    ::tzset();

    stack_t stack{};
    stack.ss_sp = altStack;
    stack.ss_size = altStackSize;
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int sig : fatalSignals)
        ::sigaction(sig, &action, nullptr);
}

} // namespace platform
