#include "TestBackend.h"

#include "TempTree.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <linux/capability.h>
#include <map>
#include <spawn.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::map<char, std::filesystem::path>& mappedDrives() {
    static std::map<char, std::filesystem::path> drives;
    return drives;
}

} // namespace

void TestBackend::setEnv(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}

std::optional<std::string> TestBackend::env(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void TestBackend::isolateRegistry(const std::filesystem::path& folder) {
    setEnv("MERIVANE_REGISTRY", (folder / "registry.reg").native());
    setEnv("XDG_CONFIG_HOME", (folder / "config").native());
}

std::optional<std::filesystem::path> TestBackend::registryStoreFile() {
    return std::filesystem::path(*env("MERIVANE_REGISTRY"));
}

std::optional<std::filesystem::path> TestBackend::autostartEntryFile(const std::string& name) {
    return std::filesystem::path(*env("XDG_CONFIG_HOME")) / "autostart" / (name + ".desktop");
}

std::string TestBackend::runValueFor(const std::filesystem::path& program) {
    std::string text = program.native();
    for (char& c : text)
        if (c == '/')
            c = '\\';
    return text;
}

bool TestBackend::canWriteLocalMachine() {
    return true;
}

void TestBackend::mapDrives(const std::vector<std::pair<char, std::filesystem::path>>& drives) {
    std::string text;
    mappedDrives().clear();
    for (const auto& [letter, folder] : drives) {
        text += (text.empty() ? "" : ";") + std::string(1, letter) + "=" + folder.native();
        mappedDrives()[letter] = folder;
    }
    setEnv("MERIVANE_DRIVES", text);
}

std::filesystem::path TestBackend::nativeOnDrive(char letter,
                                                 const std::vector<std::string>& parts) {
    auto path =
        mappedDrives().at(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    for (const auto& part : parts)
        path /= part;
    return path;
}

std::filesystem::path TestBackend::nativeWithoutDrive(const std::string& windowsPath) {
    std::string text = windowsPath;
    for (char& c : text)
        if (c == '\\')
            c = '/';
    return text;
}

std::filesystem::path TestBackend::nativeOnUnknownDrive(const std::string&) {
    return {};
}

std::filesystem::path TestBackend::systemDriveFolder() {
    return "/";
}

std::filesystem::path TestBackend::otherFileSystemFolder() {
    return "/proc";
}

std::filesystem::path TestBackend::createHiddenFile(const std::filesystem::path& folder,
                                                    const std::string& base) {
    const auto file = folder / ("." + base);
    std::ofstream(file, std::ios::binary) << "hidden";
    return file;
}

std::filesystem::path TestBackend::invalidUnicodeName() {
    return "bad\xff\xfe name \xc3";
}

std::optional<std::string> TestBackend::noInvalidUnicodeFiles() {
    return std::nullopt;
}

std::optional<std::string> TestBackend::createFolderLink(const std::filesystem::path& link,
                                                         const std::filesystem::path& target) {
    std::filesystem::create_directory_symlink(target, link);
    return std::nullopt;
}

std::optional<std::string> TestBackend::createFileLink(const std::filesystem::path& link,
                                                       const std::filesystem::path& target) {
    std::filesystem::create_symlink(target, link);
    return std::nullopt;
}

// remove_all removes links themselves here.
void TestBackend::removeLinksBelow(const std::filesystem::path&) {}

std::optional<std::string> TestBackend::createFifo(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0600) != 0)
        return std::string("mkfifo failed: ") + std::strerror(errno);
    return std::nullopt;
}

std::optional<std::string> TestBackend::denyDeleting(const std::filesystem::path& file) {
    if (::chmod(file.parent_path().c_str(), 0555) != 0)
        return std::string("chmod failed: ") + std::strerror(errno);
    return std::nullopt;
}

std::optional<std::string> TestBackend::holdOpen(const std::filesystem::path&) {
    return "Linux deletes a file in use all the same";
}

void TestBackend::releaseHeldFiles() {}

// Capabilities belong to each thread when set by the raw system call (glibc would spread a
// change of user to every thread), so the test program itself keeps its rights.
std::optional<std::string> TestBackend::asOrdinaryUser(const std::function<void()>& action) {
    if (::geteuid() != 0) {
        action();
        return std::nullopt;
    }
    std::optional<std::string> failure;
    std::thread([&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
        if (::syscall(SYS_capget, &header, data) != 0) {
            failure = std::string("capget failed: ") + std::strerror(errno);
            return;
        }
        for (auto& set : data)
            set.effective = 0;
        if (::syscall(SYS_capset, &header, data) != 0) {
            failure = std::string("capset failed: ") + std::strerror(errno);
            return;
        }
        action();
    }).join();
    return failure;
}

void TestBackend::setModified(const std::filesystem::path& file, std::int64_t ticks) {
    constexpr std::int64_t secondsTo1970 = 11'644'473'600;
    timespec times[2]{};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(ticks / 10'000'000 - secondsTo1970);
    times[1].tv_nsec = static_cast<long>(ticks % 10'000'000 * 100);
    ::utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

std::optional<std::string> TestBackend::mountSmallVolume(const std::filesystem::path& folder,
                                                         std::uint64_t bytes) {
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("merivane-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) !=
        0)
        return "mounting a small tmpfs is not permitted here (" +
               std::string(std::strerror(errno)) + "); run as root to test a full disk";
    return std::nullopt;
}

void TestBackend::unmountSmallVolume(const std::filesystem::path& folder) {
    ::umount2(folder.c_str(), MNT_DETACH);
}

std::filesystem::path TestBackend::selfExecutable() {
    return std::filesystem::read_symlink("/proc/self/exe");
}

TestBackend::ChildResult TestBackend::runChild(const std::vector<std::string>& args,
                                               const std::filesystem::path& folder) {
    const std::string program = selfExecutable().native();
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const auto errorFile = folder / "child-stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ChildResult result;
    pid_t pid = 0;
    result.started =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!result.started)
        return result;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    result.errorOutput = TempTree::read(errorFile);
    std::filesystem::remove(errorFile);
    return result;
}

std::optional<std::string> TestBackend::crashCode(const std::string& kind) {
    if (kind == "abort")
        return "6";
    return "11"; // segv and overflow are both SIGSEGV
}

bool TestBackend::looksLikeDump(const std::string& content) {
    return content.rfind("Signal: ", 0) == 0 &&
           content.find("\nBacktrace:\n") != std::string::npos &&
           content.find("\nModules:\n") != std::string::npos &&
           content.find("r-xp") != std::string::npos;
}

std::vector<std::pair<std::string, std::string>>
TestBackend::profileVariablesFor(const std::filesystem::path& home) {
    return {{"TEMP", (home / ".cache/merivane/Temp").native()},
            {"USERPROFILE", home.native()},
            {"APPDATA", (home / ".config").native()},
            {"PUBLIC", (home / ".local/share/merivane/Public").native()}};
}

std::optional<std::string> TestBackend::documentsFor(const std::string& profile) {
    return profile + "/Documents";
}

std::vector<std::string> TestBackend::arguments(int argc, char** argv) {
    return {argv, argv + argc};
}

std::string TestBackend::iniFileBytes(const std::string& text) {
    return text;
}

int TestBackend::unreapedChildren() {
    // "pid (name) state ppid ...": the name may hold blanks, so parse after the last ')'.
    const std::string self = std::to_string(::getpid());
    int children = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line))
            continue;
        const auto close = line.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(line.substr(close + 1));
        std::string state, parent;
        if (rest >> state >> parent && parent == self)
            ++children;
    }
    return children;
}
