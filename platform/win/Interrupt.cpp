#include "platform/Interrupt.h"

#include <atomic>
#include <windows.h>

namespace platform {

namespace {
std::atomic<bool> raised{false};

// Runs on a thread the system starts for the event.
BOOL WINAPI onControl(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
        // A second request goes on to the default handler, which ends the process.
        return raised.exchange(true) ? FALSE : TRUE;
    default:
        return FALSE;
    }
}
} // namespace

void Interrupt::catchRequests() {
    SetConsoleCtrlHandler(onControl, TRUE);
}

bool Interrupt::requested() {
    return raised.load();
}

} // namespace platform
