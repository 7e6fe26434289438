#include "platform/Interrupt.h"

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace platform {

namespace {
// Lock-free, so the handler may set it and any thread read it.
std::atomic<bool> raised{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onRequest(int) {
    raised.store(true);
}
} // namespace

void Interrupt::catchRequests() {
    struct sigaction action {};
    action.sa_handler = onRequest;
    sigemptyset(&action.sa_mask);
    // The handler is used once: a second request finds the default action, which ends the
    // process.
    action.sa_flags = SA_RESETHAND;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool Interrupt::requested() {
    return raised.load();
}

} // namespace platform
