#pragma once

#include <optional>

// Modes in which the test program runs as a child of a test: "--record-argv" writes its
// arguments to the file named by MERIVANE_TEST_ARGV_FILE, "--crash KIND" installs the crash
// handler and crashes.
class ChildProgram {
public:
    // The exit code when argv asks for a child mode, nothing otherwise.
    static std::optional<int> run(int argc, char** argv);

    static constexpr const char* argvFileVariable = "MERIVANE_TEST_ARGV_FILE";

private:
    static int recordArguments(int argc, char** argv);
    static int crash(const char* kind);
};
