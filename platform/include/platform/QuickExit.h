#pragma once

namespace platform {

// Ends the process at once, without static destructors, for a quit that must not wait on
// workers still running. Handlers registered with atQuickExit run first, last registered
// first. Linux: std::quick_exit. Windows: mingw's C runtime has no quick_exit, so the
// handlers are kept here and the process ends with _exit.
class QuickExit {
public:
    [[noreturn]] static void now(int status);
    // At most 32 handlers; returns false when they are full.
    static bool atQuickExit(void (*handler)());
};

} // namespace platform
