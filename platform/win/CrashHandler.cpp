#include "platform/CrashHandler.h"

#include <csignal>
#include <cstring>
#include <ctime>
// dbghelp.h needs the types of windows.h, so the order matters.
// clang-format off
#include <windows.h>
#include <dbghelp.h>
// clang-format on

namespace platform {

namespace {

// What abort() (and so std::terminate, an exception escaping a thread) is reported as.
constexpr DWORD StatusFatalAppExit = 0x40000015;

// Names the dump after the local time: "%Y%m%d%H%M%S.dmp".
void dumpName(wchar_t (&wideName)[100]) {
    char name[100] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_s(&local, &now) == 0) {
        std::strftime(name, sizeof name - 5, "%Y%m%d%H%M%S", &local);
    }
    std::strcat(name, ".dmp");
    // Digits and ASCII only, so widening each byte gives the UTF-16 name.
    for (std::size_t i = 0; i < sizeof name; ++i) {
        wideName[i] = static_cast<wchar_t>(name[i]);
    }
}

// "record->ExceptionCode:%lu\n" straight to the standard error handle: the C runtime's
// stream lock may be held by the thread that crashed, and its text mode would add a CR.
void printCode(unsigned long code) {
    char line[64] = "record->ExceptionCode:";
    std::size_t length = std::strlen(line);
    char digits[16] = {};
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + code % 10);
        code /= 10;
    } while (code != 0);
    while (count > 0) {
        line[length++] = digits[--count];
    }
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
}

struct CrashReport {
    EXCEPTION_POINTERS* pointers;
    DWORD threadId;
};

DWORD WINAPI writeReport(void* context) {
    const auto* report = static_cast<const CrashReport*>(context);
    wchar_t name[100] = {};
    dumpName(name);
    HANDLE file =
        CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        MINIDUMP_EXCEPTION_INFORMATION info{};
        info.ThreadId = report->threadId;
        info.ExceptionPointers = report->pointers;
        info.ClientPointers = TRUE;
        MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal, &info,
                          nullptr, nullptr);
        // Closed here so the dump is complete on disk whatever teardown does.
        CloseHandle(file);
    }
    const unsigned long code = report->pointers && report->pointers->ExceptionRecord
                                   ? report->pointers->ExceptionRecord->ExceptionCode
                                   : 0;
    printCode(code);
    return 0;
}

// Runs on the faulting thread while the others go on, and takes no locks of ours. After a
// stack overflow that thread has almost no stack left, so the dump is written by a fresh
// thread. A crash while the loader lock is held would keep that thread from starting, so
// after a while the faulting thread writes the dump itself.
LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers) {
    CrashReport report{pointers, GetCurrentThreadId()};
    HANDLE writer = CreateThread(nullptr, 256 * 1024, writeReport, &report, 0, nullptr);
    const bool written = writer && WaitForSingleObject(writer, 30000) == WAIT_OBJECT_0;
    if (!written) {
        writeReport(&report);
    }
    if (writer) {
        CloseHandle(writer);
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

// abort() ends the process without a structured exception, so no dump would be written;
// raising one hands the crash to the filter above.
void onAbort(int) {
    RaiseException(StatusFatalAppExit, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

} // namespace

void CrashHandler::install() {
    SetUnhandledExceptionFilter(CrashFilter);
    std::signal(SIGABRT, onAbort);
}

} // namespace platform
