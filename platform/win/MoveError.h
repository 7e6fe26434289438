#pragma once

#include <cstdint>

namespace platform {

class MoveError {
public:
    // Windows reports an existing destination as ERROR_ALREADY_EXISTS (183), but some
    // paths (and Wine) give ERROR_FILE_EXISTS (80); callers see 183 for both.
    static std::uint32_t normalized(std::uint32_t error) { return error == 80 ? 183 : error; }
};

} // namespace platform
