#include "ChildProgram.h"

#include "TestBackend.h"
#include "platform/CrashHandler.h"
#include "platform/ProfileEnvironment.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include "platform/FolderReader.h"

#include <fcntl.h>
#include <grp.h>
#include <unistd.h>
#endif

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
    if (argc >= 5 && std::strcmp(argv[1], "--read-as") == 0)
        return readAs(argv[2], argv[3], argv[4]);
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

#ifdef _WIN32
int ChildProgram::readAs(const char*, const char*, const char*) {
    std::fprintf(stderr, "--read-as is a Linux mode\n");
    return readAsFailed;
}
#else
int ChildProgram::readAs(const char* uid, const char* gid, const char* folder) {
    const uid_t user = static_cast<uid_t>(std::strtoul(uid, nullptr, 10));
    const gid_t group = static_cast<gid_t>(std::strtoul(gid, nullptr, 10));
    // Group first: once the user is dropped, the groups can no longer be changed.
    if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0 ||
        ::geteuid() != user) {
        std::fprintf(stderr, "cannot become %s:%s: %s\n", uid, gid, std::strerror(errno));
        return readAsFailed;
    }
    platform::FolderReader reader(folder);
    std::filesystem::path file;
    platform::FolderReader::Kind kind;
    if (!reader.next(file, kind) || kind != platform::FolderReader::Kind::RegularFile) {
        std::fprintf(stderr, "no file listed in %s as %s\n", folder, uid);
        return readAsFailed;
    }
    int answer = reader.readableSize() ? readAsScanBit : 0;
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        answer |= readAsKernelBit;
        ::close(fd);
    }
    return answer;
}
#endif
