#pragma once

#include <windows.h>

namespace platform {

// Owns a kernel handle from CreateFileW and friends; closes it once.
class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool isValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    // Closes now; returns false when CloseHandle failed (a write may not have landed).
    bool reset() {
        bool closed = true;
        if (isValid()) {
            closed = CloseHandle(handle_) != FALSE;
        }
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

} // namespace platform
