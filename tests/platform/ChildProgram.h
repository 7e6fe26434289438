#pragma once

#include <optional>

// Modes in which the test program runs as a child of a test: "--record-argv" writes its
// arguments to the file named by MERIVANE_TEST_ARGV_FILE, "--crash KIND" installs the crash
// handler and crashes, and (Linux, started as root) "--read-as UID GID FOLDER" becomes that
// user and tells whether the scan and the kernel find the first file in FOLDER readable.
class ChildProgram {
public:
    // The exit code when argv asks for a child mode, nothing otherwise.
    static std::optional<int> run(int argc, char** argv);

    static constexpr const char* argvFileVariable = "MERIVANE_TEST_ARGV_FILE";

    // The exit code of "--read-as": readAsScanBit when the scan counts the file readable,
    // plus readAsKernelBit when it opens for reading; readAsFailed (the reason on stderr)
    // when the child could not become the user or list the file.
    static constexpr int readAsScanBit = 1;
    static constexpr int readAsKernelBit = 2;
    static constexpr int readAsFailed = 8;

private:
    static int recordArguments(int argc, char** argv);
    static int crash(const char* kind);
    static int readAs(const char* uid, const char* gid, const char* folder);
};
