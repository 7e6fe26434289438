#include "platform/CrashHandler.h"

#include <cstdio>
#include <cstring>
#include <ctime>
// dbghelp.h needs the types of windows.h, so the order matters.
// clang-format off
#include <windows.h>
#include <dbghelp.h>
// clang-format on

namespace platform {

namespace {

// Runs on the faulting thread while the others go on: no locks, no heap-hungry work.
LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers) {
    char name[100] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_s(&local, &now) == 0) {
        std::strftime(name, sizeof name - 5, "%Y%m%d%H%M%S", &local);
    }
    std::strcat(name, ".dmp");
    // The name is digits and ASCII only, so a plain widening is its UTF-16 form.
    wchar_t wideName[sizeof name] = {};
    for (std::size_t i = 0; i < sizeof name && name[i] != '\0'; ++i) {
        wideName[i] = static_cast<wchar_t>(name[i]);
    }

    HANDLE file = CreateFileW(wideName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        MINIDUMP_EXCEPTION_INFORMATION info{};
        info.ThreadId = GetCurrentThreadId();
        info.ExceptionPointers = pointers;
        info.ClientPointers = TRUE;
        MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal, &info,
                          nullptr, nullptr);
        // Closed here so the dump is complete on disk even if teardown goes wrong.
        CloseHandle(file);
    }
    const unsigned long code =
        pointers && pointers->ExceptionRecord ? pointers->ExceptionRecord->ExceptionCode : 0;
    std::fprintf(stderr, "record->ExceptionCode:%lu\n", code);
    std::fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void CrashHandler::install() {
    SetUnhandledExceptionFilter(CrashFilter);
}

} // namespace platform
