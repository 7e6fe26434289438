#pragma once

namespace platform {

// Installed first in main. On a fatal fault it writes a dump named after the local time
// ("%Y%m%d%H%M%S.dmp", fourteen digits) in the current folder, prints
// "record->ExceptionCode:%lu\n" to stderr and ends the process.
// Windows: SetUnhandledExceptionFilter + MiniDumpWriteDump (MiniDumpNormal).
// Linux: SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT; the dump is text (signal, faulting
// address, a backtrace, the loaded modules) and the code printed is the signal number.
// The alternate signal stack that lets a stack overflow be reported belongs to the thread
// that calls install(); an overflow on another thread ends the process without a dump.
class CrashHandler {
public:
    static void install();
};

} // namespace platform
