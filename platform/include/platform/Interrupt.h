#pragma once

namespace platform {

// The user's request to stop a command-line program: Ctrl+C. Once catch() has run, the
// first request only raises a flag the program looks at, so that it can stop between two
// files and say what it did; a second one ends the process as usual.
// Linux: SIGINT, SIGTERM and SIGHUP (a closed remote shell). Windows: SetConsoleCtrlHandler
// for Ctrl+C, Ctrl+Break and the closing of the console.
class Interrupt {
public:
    static void catchRequests();
    // Any thread; safe to call at any time.
    static bool requested();
};

} // namespace platform
