#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where Windows and the Linux stand-in legitimately differ, the tests ask here. Each OS has
// its own TestBackend.cpp; the test files themselves are the same everywhere.
class TestBackend {
public:
    // Environment variables (UTF-8); nothing unsets.
    static void setEnv(const std::string& name, const std::optional<std::string>& value);
    static std::optional<std::string> env(const std::string& name);

    // Points the registry and the per-user configuration at folder.
    static void isolateRegistry(const std::filesystem::path& folder);
    // The file that holds the registry, when the registry is a file.
    static std::optional<std::filesystem::path> registryStoreFile();
    // The autostart entry a Run value of this name gives, where one exists.
    static std::optional<std::filesystem::path> autostartEntryFile(const std::string& name);
    // The native program path of the Windows-style path a Run value holds.
    static std::string runValueFor(const std::filesystem::path& program);
    // Whether tests may create keys under HKEY_LOCAL_MACHINE.
    static bool canWriteLocalMachine();

    // The profile variables ensureWindowsVariables gives when all four are unset, HOME is
    // home and no XDG or TMPDIR variable is set; empty where the system provides them.
    static std::vector<std::pair<std::string, std::string>>
    profileVariablesFor(const std::filesystem::path& home);

    // The Documents folder KnownFolders gives for this USERPROFILE; nothing where the
    // system decides.
    static std::optional<std::string> documentsFor(const std::string& profile);

    // Makes each letter a drive whose root is the given folder, as far as the platform can.
    static void mapDrives(const std::vector<std::pair<char, std::filesystem::path>>& drives);
    // What Drives::toNativePath should give for a path on a mapped drive (relative parts
    // below the root), for a path without a drive, and for a drive that does not exist.
    static std::filesystem::path nativeOnDrive(char letter, const std::vector<std::string>& parts);
    static std::filesystem::path nativeWithoutDrive(const std::string& windowsPath);
    static std::filesystem::path nativeOnUnknownDrive(const std::string& windowsPath);
    // The folder drive C: stands for when no drives are mapped.
    static std::filesystem::path systemDriveFolder();
    // A folder on another file system than the temporary folder.
    static std::filesystem::path otherFileSystemFolder();

    // Creates a file that the platform counts as hidden, named after base.
    static std::filesystem::path createHiddenFile(const std::filesystem::path& folder,
                                                  const std::string& base);
    // A file name that is not valid Unicode on this platform.
    static std::filesystem::path invalidUnicodeName();
    // Why no file of that name can be made here, where none can (Wine keeps Windows names
    // as UTF-8 on Linux).
    static std::optional<std::string> noInvalidUnicodeFiles();
    // Makes link a link to the folder (Windows: a junction or symbolic link) or to the file
    // target, or a FIFO at path. Each returns why it cannot be done here, where it cannot.
    static std::optional<std::string> createFolderLink(const std::filesystem::path& link,
                                                       const std::filesystem::path& target);
    static std::optional<std::string> createFileLink(const std::filesystem::path& link,
                                                     const std::filesystem::path& target);
    static std::optional<std::string> createFifo(const std::filesystem::path& path);
    // Removes the links made below folder, not what they point to; TempTree calls it first
    // (main sets it as TempTree's link remover), since not every platform's remove_all
    // leaves a link's target alone.
    static void removeLinksBelow(const std::filesystem::path& folder);
    // Makes deleting the file fail with access denied (Linux: its folder loses write
    // permission; Windows: the file becomes read-only). TempTree gives the permission back.
    static std::optional<std::string> denyDeleting(const std::filesystem::path& file);
    // Keeps the file open, as a program using it does, until releaseHeldFiles; why that
    // does not keep it from being deleted here, where it does not (Linux).
    static std::optional<std::string> holdOpen(const std::filesystem::path& file);
    static void releaseHeldFiles();
    // Runs action as an ordinary user runs the program: root's power to override
    // permissions is given up for it (Linux: by a thread of its own, whose capabilities
    // alone are dropped). Returns why that cannot be done, and then does not run action.
    static std::optional<std::string> asOrdinaryUser(const std::function<void()>& action);
    // Sets the last-write time of the file, in 100 ns ticks since 1601 (FILETIME).
    static void setModified(const std::filesystem::path& file, std::int64_t ticks);

    // The bytes of an INI file holding this text, in the encoding the platform's INI reader
    // expects (Windows: the ANSI code page, unless the text starts with a byte-order mark).
    static std::string iniFileBytes(const std::string& text);

    // Mounts a volume of the given size at folder (an existing empty folder). Returns why
    // the test must be skipped when that is not possible here.
    static std::optional<std::string> mountSmallVolume(const std::filesystem::path& folder,
                                                       std::uint64_t bytes);
    static void unmountSmallVolume(const std::filesystem::path& folder);

    // This test program, which doubles as the child program (see ChildProgram).
    static std::filesystem::path selfExecutable();
    // This program's arguments as UTF-8, argv[0] first. Windows reads them from the wide
    // command line: argv holds them in the ANSI code page.
    static std::vector<std::string> arguments(int argc, char** argv);
    struct ChildResult {
        bool started = false;
        int exitCode = 0;
        std::string errorOutput;
    };
    // Child processes not reaped yet: still running, or ended and never waited for
    // (zombies). Zero where ended processes leave nothing behind.
    static int unreapedChildren();
    // Runs this program with args in folder and waits for it.
    static ChildResult runChild(const std::vector<std::string>& args,
                                const std::filesystem::path& folder);
    // Whether a dump file holds what the crash handler writes on this platform.
    static bool looksLikeDump(const std::string& content);
    // The code the crash handler prints for a crash of this kind ("segv", "abort",
    // "overflow"); nothing when the platform has no such crash.
    static std::optional<std::string> crashCode(const std::string& kind);
};
