#include "ChildProgram.h"

#include "TestBackend.h"
#include "platform/CrashHandler.h"
#include "platform/ProfileEnvironment.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

volatile int* volatile nowhere = nullptr;

// A real access violation; the undefined-behaviour checker would stop the process first.
__attribute__((no_sanitize("undefined"))) void writeThroughNull() {
    *nowhere = 1;
}

// Deep enough to overflow any thread stack; the volatile buffer keeps each frame alive.
int recurse(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    if (depth < 0)
        return 0; // never: depth only grows
    return recurse(depth + 1) + frame[0];
}

} // namespace

std::optional<int> ChildProgram::run(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--record-argv") == 0)
        return recordArguments(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--crash") == 0)
        return crash(argv[2]);
    return std::nullopt;
}

int ChildProgram::recordArguments(int argc, char** argv) {
    const auto target = platform::ProfileEnvironment::get(argvFileVariable);
    if (!target)
        return 2;
    // Written under another name first, so the test never reads half a file.
    const std::filesystem::path file = *target;
    std::filesystem::path partial = file;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary);
        const auto args = TestBackend::arguments(argc, argv);
        for (std::size_t i = 2; i < args.size(); ++i)
            out << args[i] << '\0';
    }
    std::filesystem::rename(partial, file);
    return 0;
}

int ChildProgram::crash(const char* kind) {
    platform::CrashHandler::install();
    if (std::strcmp(kind, "segv") == 0)
        writeThroughNull();
    else if (std::strcmp(kind, "abort") == 0)
        std::abort();
    else if (std::strcmp(kind, "overflow") == 0)
        return recurse(0);
    return 3;
}
