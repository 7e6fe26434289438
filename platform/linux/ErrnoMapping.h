#pragma once

#include <cstdint>

namespace platform {

// Maps errno values to the Windows error codes the interface reports.
class ErrnoMapping {
public:
    static std::uint32_t toWinError(int err);
};

} // namespace platform
