#include "platform/QuickExit.h"

#include <array>
#include <cstdlib>
#include <mutex>

namespace platform {

namespace {
std::mutex handlersLock;
std::array<void (*)(), 32> handlers{};
std::size_t handlerCount = 0;
} // namespace

void QuickExit::now(int status) {
    std::array<void (*)(), 32> registered{};
    std::size_t count = 0;
    {
        const std::lock_guard<std::mutex> lock(handlersLock);
        registered = handlers;
        count = handlerCount;
    }
    while (count > 0)
        registered[--count]();
    std::_Exit(status);
}

bool QuickExit::atQuickExit(void (*handler)()) {
    const std::lock_guard<std::mutex> lock(handlersLock);
    if (handlerCount == handlers.size())
        return false;
    handlers[handlerCount++] = handler;
    return true;
}

} // namespace platform
