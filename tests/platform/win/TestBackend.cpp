#include "TestBackend.h"

#include "TempTree.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>
// shellapi.h needs the types of windows.h, so the order matters.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

// Windows: the real registry, drives and environment. Under Wine (the test runner on
// Linux) a few things are reached through Wine's own means, each marked below.
namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring text(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

std::string utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size,
                                                                   nullptr, 0, nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    return bytes;
}

bool underWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Wine's own export that gives the Linux path behind a Windows path.
std::optional<std::string> unixPathOf(const std::filesystem::path& path) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    auto toUnix = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return std::nullopt;
    char* name = toUnix(path.c_str());
    if (!name)
        return std::nullopt;
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// The Windows command-line form of one argument, as the C runtime splits it again.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring result = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        result += c;
    }
    result.append(backslashes * 2, L'\\');
    return result + L"\"";
}

// Runs a program with the given command line and waits; the exit code, or nothing when it
// could not start.
std::optional<DWORD> runAndWait(const std::wstring& program, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return std::nullopt;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// Drive letters this program added with DefineDosDeviceW; they would otherwise outlive it
// for the whole logon session.
class DefinedDrives {
public:
    ~DefinedDrives() {
        for (const auto& [letter, target] : targets_)
            DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE,
                             std::wstring{letter, L':'}.c_str(), target.c_str());
    }
    void add(wchar_t letter, const std::wstring& target) {
        if (DefineDosDeviceW(0, std::wstring{letter, L':'}.c_str(), target.c_str()))
            targets_[letter] = target;
    }

private:
    std::map<wchar_t, std::wstring> targets_;
};

} // namespace

void TestBackend::setEnv(const std::string& name, const std::optional<std::string>& value) {
    const std::wstring wideName = wide(name);
    SetEnvironmentVariableW(wideName.c_str(), value ? wide(*value).c_str() : nullptr);
    // The C runtime's copy, which getenv reads; "NAME=" removes the variable there.
    _wputenv((wideName + L"=" + (value ? wide(*value) : std::wstring())).c_str());
}

std::optional<std::string> TestBackend::env(const std::string& name) {
    const std::wstring wideName = wide(name);
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0)
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                        : std::optional<std::string>("");
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(wideName.c_str(), value.data(), size));
    return utf8(value);
}

// The tests work in the real registry, below keys of their own that they delete again.
void TestBackend::isolateRegistry(const std::filesystem::path&) {}

std::optional<std::filesystem::path> TestBackend::registryStoreFile() {
    return std::nullopt;
}

// The Run key itself starts programs at logon; there is no entry file besides it.
std::optional<std::filesystem::path> TestBackend::autostartEntryFile(const std::string&) {
    return std::nullopt;
}

std::string TestBackend::runValueFor(const std::filesystem::path& program) {
    return utf8(std::filesystem::path(program).make_preferred().native());
}

bool TestBackend::canWriteLocalMachine() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_CREATE_SUB_KEY | KEY_WOW64_64KEY,
                      &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Windows sets the profile variables itself.
std::vector<std::pair<std::string, std::string>>
TestBackend::profileVariablesFor(const std::filesystem::path&) {
    return {};
}

// The shell's Documents folder does not follow USERPROFILE.
std::optional<std::string> TestBackend::documentsFor(const std::string&) {
    return std::nullopt;
}

// C: is the system drive and stays what it is; a letter that is free becomes a substitute
// drive for its folder. Under Wine, scripts/test-wine.sh gives the prefix a D: drive,
// since Wine's DefineDosDeviceW names no usable drive.
void TestBackend::mapDrives(const std::vector<std::pair<char, std::filesystem::path>>& drives) {
    static DefinedDrives defined;
    for (const auto& [letter, folder] : drives) {
        const std::wstring root{static_cast<wchar_t>(letter), L':', L'\\'};
        if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR)
            defined.add(static_cast<wchar_t>(letter), folder.native());
    }
}

std::filesystem::path TestBackend::nativeOnDrive(char letter,
                                                 const std::vector<std::string>& parts) {
    std::filesystem::path path(std::wstring{static_cast<wchar_t>(letter), L':', L'\\'});
    for (const auto& part : parts)
        path /= wide(part);
    return path;
}

// Windows paths are the native ones.
std::filesystem::path TestBackend::nativeWithoutDrive(const std::string& windowsPath) {
    return wide(windowsPath);
}

std::filesystem::path TestBackend::nativeOnUnknownDrive(const std::string& windowsPath) {
    return wide(windowsPath);
}

std::filesystem::path TestBackend::systemDriveFolder() {
    return L"C:\\";
}

// Under Wine, Z: is the Linux root and /proc another file system; on Windows, another
// fixed drive than the one of the temporary folder, if there is one.
std::filesystem::path TestBackend::otherFileSystemFolder() {
    if (underWine())
        return L"Z:\\proc";
    const auto temporary = std::filesystem::temp_directory_path().root_name().native();
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        const std::wstring root{letter, L':', L'\\'};
        if (GetDriveTypeW(root.c_str()) == DRIVE_FIXED &&
            CompareStringOrdinal(root.c_str(), 2, temporary.c_str(),
                                 static_cast<int>(temporary.size()), TRUE) != CSTR_EQUAL)
            return root;
    }
    return {};
}

// A dot name means nothing on Windows; the hidden attribute does.
std::filesystem::path TestBackend::createHiddenFile(const std::filesystem::path& folder,
                                                    const std::string& base) {
    const auto file = folder / wide(base);
    std::ofstream(file, std::ios::binary) << "hidden";
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    return file;
}

// Windows names are UTF-16; an unpaired surrogate is a valid name but no Unicode text.
std::filesystem::path TestBackend::invalidUnicodeName() {
    return std::wstring(L"bad") + static_cast<wchar_t>(0xD800) + L" name";
}

// Wine keeps Windows names as UTF-8 on Linux: it can store neither an unpaired surrogate
// nor, in a UTF-8 locale, the U+FFFD it shows for Linux names that are not UTF-8.
std::optional<std::string> TestBackend::noInvalidUnicodeFiles() {
    if (underWine())
        return "Wine cannot store a file name that is not valid Unicode";
    return std::nullopt;
}

namespace {

// The size of the volume a folder is on; nothing when it cannot be asked.
std::optional<std::uint64_t> volumeSize(const std::filesystem::path& folder) {
    ULARGE_INTEGER available{}, total{}, free{};
    const std::wstring root = folder.native() + L"\\";
    if (!GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free))
        return std::nullopt;
    return total.QuadPart;
}

// Wine starts a Linux program but does not wait for it: its process handle is signalled at
// once. So the effect is awaited instead, for ten seconds at most.
bool awaitVolume(const std::filesystem::path& folder, std::uint64_t bytes, bool mounted) {
    for (int i = 0; i < 200; ++i) {
        const auto size = volumeSize(folder);
        if (size && (*size <= bytes) == mounted)
            return true;
        Sleep(50);
    }
    return false;
}

bool startUnmount(const std::filesystem::path& folder) {
    const auto target = unixPathOf(folder);
    return target && runAndWait(L"Z:\\bin\\umount", L"umount -l " + quoted(wide(*target)));
}

} // namespace

// Windows mounts volumes in folders only from virtual disks, with administrator rights.
// Under Wine, running as root, a Linux tmpfs is mounted there instead (Wine starts Linux
// programs through CreateProcessW).
std::optional<std::string> TestBackend::mountSmallVolume(const std::filesystem::path& folder,
                                                         std::uint64_t bytes) {
    if (!underWine())
        return "mounting a volume in a folder needs a virtual disk and administrator rights";
    const auto target = unixPathOf(folder);
    if (!target)
        return "the Linux path of the folder is unknown";
    const std::wstring command = L"mount -t tmpfs -o size=" + std::to_wstring(bytes) +
                                 L" merivane-test " + quoted(wide(*target));
    if (!runAndWait(L"Z:\\bin\\mount", command) || !awaitVolume(folder, bytes, true)) {
        startUnmount(folder); // in case it comes too late
        return "mounting a small tmpfs is not permitted here; run as root to test a full disk";
    }
    return std::nullopt;
}

void TestBackend::unmountSmallVolume(const std::filesystem::path& folder) {
    const auto size = volumeSize(folder);
    if (startUnmount(folder) && size)
        awaitVolume(folder, *size, false);
}

namespace {

bool isReparsePoint(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool isPresent(const std::filesystem::path& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Wine does not wait for a Linux program, so its effect is awaited, ten seconds at most.
bool awaitExistence(const std::filesystem::path& path, bool existing) {
    for (int i = 0; i < 200 && isPresent(path) != existing; ++i)
        Sleep(50);
    return isPresent(path) == existing;
}

// Links made by createLink, with whether each leads to a folder.
std::vector<std::pair<std::filesystem::path, bool>>& madeLinks() {
    static std::vector<std::pair<std::filesystem::path, bool>> links;
    return links;
}

// Wine follows a Linux link even when deleting it: only rm removes the link itself.
void removeLink(const std::filesystem::path& link, bool folder) {
    if (!underWine()) {
        if (folder)
            RemoveDirectoryW(link.c_str());
        else
            DeleteFileW(link.c_str());
        return;
    }
    if (const auto unixLink = unixPathOf(link))
        if (runAndWait(L"Z:\\bin\\rm", L"rm -f " + quoted(wide(*unixLink))))
            awaitExistence(link, false);
}

// A symbolic link by CreateSymbolicLinkW (unprivileged in developer mode). Wine 8's
// CreateSymbolicLinkW makes nothing; there a Linux link is made, which Wine shows as a
// reparse point only when it leads to a folder.
std::optional<std::string> createLink(const std::filesystem::path& link,
                                      const std::filesystem::path& target, DWORD flags) {
    constexpr DWORD unprivileged = 0x2; // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    const bool folder = (flags & SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;
    if (CreateSymbolicLinkW(link.c_str(), target.c_str(), flags | unprivileged) &&
        isReparsePoint(link)) {
        madeLinks().emplace_back(link, folder);
        return std::nullopt;
    }
    if (!underWine())
        return "symbolic links need developer mode or administrator rights here";
    const auto unixLink = unixPathOf(link);
    const auto unixTarget = unixPathOf(target);
    if (!unixLink || !unixTarget)
        return "the Linux paths of the link are unknown";
    if (!runAndWait(L"Z:\\bin\\ln",
                    L"ln -s " + quoted(wide(*unixTarget)) + L" " + quoted(wide(*unixLink))) ||
        !awaitExistence(link, true))
        return "ln made no link";
    if (!isReparsePoint(link)) {
        removeLink(link, folder);
        return "Wine shows a Linux link to a file as the file itself, not as a reparse point";
    }
    madeLinks().emplace_back(link, folder);
    return std::nullopt;
}

} // namespace

std::optional<std::string> TestBackend::createFolderLink(const std::filesystem::path& link,
                                                         const std::filesystem::path& target) {
    return createLink(link, target, SYMBOLIC_LINK_FLAG_DIRECTORY);
}

std::optional<std::string> TestBackend::createFileLink(const std::filesystem::path& link,
                                                       const std::filesystem::path& target) {
    return createLink(link, target, 0);
}

void TestBackend::removeLinksBelow(const std::filesystem::path& folder) {
    auto& links = madeLinks();
    for (auto it = links.begin(); it != links.end();) {
        const auto relative = it->first.lexically_relative(folder);
        if (relative.empty() || *relative.begin() == L"..") {
            ++it;
            continue;
        }
        removeLink(it->first, it->second);
        it = links.erase(it);
    }
}

std::optional<std::string> TestBackend::createFifo(const std::filesystem::path&) {
    return "Windows has no FIFOs in its file system";
}

std::optional<std::string> TestBackend::denyDeleting(const std::filesystem::path& file) {
    if (!SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY))
        return "the file cannot be made read-only (error " + std::to_string(GetLastError()) + ")";
    return std::nullopt;
}

namespace {

std::vector<HANDLE>& heldFiles() {
    static std::vector<HANDLE> handles;
    return handles;
}

} // namespace

// Opened as a program does that lets others read the file but not delete it.
std::optional<std::string> TestBackend::holdOpen(const std::filesystem::path& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return "the file cannot be opened (error " + std::to_string(GetLastError()) + ")";
    heldFiles().push_back(handle);
    return std::nullopt;
}

void TestBackend::releaseHeldFiles() {
    for (const HANDLE handle : heldFiles())
        CloseHandle(handle);
    heldFiles().clear();
}

// No right of an administrator overrides a read-only attribute or a sharing mode.
std::optional<std::string> TestBackend::asOrdinaryUser(const std::function<void()>& action) {
    action();
    return std::nullopt;
}

void TestBackend::setModified(const std::filesystem::path& file, std::int64_t ticks) {
    const HANDLE handle = CreateFileW(
        file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    FILETIME time{};
    time.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks));
    time.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
    SetFileTime(handle, nullptr, nullptr, &time);
    CloseHandle(handle);
}

std::filesystem::path TestBackend::selfExecutable() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

// Windows has no zombies: an ended process goes once its last handle is closed.
int TestBackend::unreapedChildren() {
    return 0;
}

std::vector<std::string> TestBackend::arguments(int, char**) {
    // The char** arguments are in the ANSI code page; the wide command line holds them all.
    std::vector<std::string> result;
    int count = 0;
    if (wchar_t** wideArguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            result.push_back(utf8(wideArguments[i]));
        LocalFree(wideArguments);
    }
    return result;
}

// GetPrivateProfileString reads a file without byte-order mark in the ANSI code page.
std::string TestBackend::iniFileBytes(const std::string& text) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        return text;
    const std::wstring wideText = wide(text);
    const int size = static_cast<int>(wideText.size());
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wideText.data(), size,
                                                                   nullptr, 0, nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_ACP, 0, wideText.data(), size, bytes.data(),
                        static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

TestBackend::ChildResult TestBackend::runChild(const std::vector<std::string>& args,
                                               const std::filesystem::path& folder) {
    const auto errorFile = folder / L"child-stderr.txt";
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE errorOutput =
        CreateFileW(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ChildResult result;
    if (errorOutput == INVALID_HANDLE_VALUE)
        return result;
    const auto program = selfExecutable();
    std::wstring commandLine = quoted(program.native());
    for (const auto& arg : args)
        commandLine += L" " + quoted(wide(arg));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = errorOutput;
    PROCESS_INFORMATION process{};
    result.started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                    nullptr, folder.c_str(), &startup, &process) != FALSE;
    CloseHandle(errorOutput);
    if (!result.started)
        return result;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.exitCode = static_cast<int>(code);
    result.errorOutput = TempTree::read(errorFile);
    std::filesystem::remove(errorFile);
    return result;
}

bool TestBackend::looksLikeDump(const std::string& content) {
    return content.rfind("MDMP", 0) == 0;
}

// The exception codes, as the crash handler prints them (decimal).
std::optional<std::string> TestBackend::crashCode(const std::string& kind) {
    if (kind == "segv")
        return std::to_string(0xC0000005ul); // EXCEPTION_ACCESS_VIOLATION
    if (kind == "overflow")
        return std::to_string(0xC00000FDul); // EXCEPTION_STACK_OVERFLOW
    if (kind == "abort")
        return std::to_string(0x40000015ul); // STATUS_FATAL_APP_EXIT, raised on abort()
    return std::nullopt;
}
