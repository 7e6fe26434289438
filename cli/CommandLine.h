#pragma once

// merivane-cli: sets the process up as the window's start-up does for the engines (the
// Windows profile variables, the logs beside the program, the cross-thread types), but on a
// QCoreApplication, with the command line's own answers to the engines' questions, and runs
// the sub-command the arguments name. Returns the exit status.
class CommandLine {
public:
    static int run(int argc, char* argv[]);
};
