#include "platform/QuickExit.h"

#include <cstdlib>

namespace platform {

void QuickExit::now(int status) {
    std::quick_exit(status);
}

bool QuickExit::atQuickExit(void (*handler)()) {
    return std::at_quick_exit(handler) == 0;
}

} // namespace platform
