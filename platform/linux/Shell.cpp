#include "platform/Shell.h"

#include "CommandLineSplitter.h"
#include "platform/Drives.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;

namespace platform {

bool Shell::open(const std::string& file, const std::string& parameters) {
    const std::string program = Drives::toNativePath(file).native();
    if (program.empty())
        return false;
    std::vector<std::string> args{program};
    for (auto& arg : CommandLineSplitter::split(parameters))
        args.push_back(arg);
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    // The program starts with default signal handling and nothing blocked, whatever
    // the calling thread had.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int err =
        ::posix_spawnp(&pid, program.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (err != 0)
        return false;
    // Reaped when it ends, so no zombie stays behind; nobody waits for it otherwise.
    try {
        std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the program still runs; its exit status stays unreaped.
    }
    return true;
}

} // namespace platform
