#include "CrossVolumeMove.h"

#include "MoveError.h"
#include "UniqueHandle.h"

#include <atomic>
#include <string>
#include <vector>
#include <windows.h>

namespace platform {

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& destination) {
    static std::atomic<unsigned> counter{0};
    std::wstring name = L"~" + destination.filename().native() + L"." +
                        std::to_wstring(GetCurrentProcessId()) + L"." +
                        std::to_wstring(counter.fetch_add(1)) + L".part";
    return destination.parent_path() / name;
}

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

// Copies all of source into target; returns a Windows error code.
DWORD copyContents(HANDLE source, HANDLE target, std::uint64_t expectedSize,
                   const std::atomic<bool>* cancel) {
    std::vector<char> buffer(1 << 20);
    std::uint64_t copied = 0;
    for (;;) {
        if (cancelled(cancel)) {
            return ERROR_OPERATION_ABORTED;
        }
        DWORD got = 0;
        if (!ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return GetLastError();
        }
        if (got == 0) {
            break;
        }
        DWORD written = 0;
        if (!WriteFile(target, buffer.data(), got, &written, nullptr)) {
            return GetLastError();
        }
        if (written != got) {
            return ERROR_DISK_FULL;
        }
        copied += got;
    }
    return copied == expectedSize ? ERROR_SUCCESS : ERROR_GEN_FAILURE;
}

// Writes the copy, flushed, with the source's modification time; returns an error code.
DWORD writeCopy(HANDLE source, const BY_HANDLE_FILE_INFORMATION& info,
                const std::filesystem::path& temporary, const std::atomic<bool>* cancel) {
    UniqueHandle target(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.isValid()) {
        return GetLastError();
    }
    const std::uint64_t size =
        (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    DWORD error = copyContents(source, target.get(), size, cancel);
    if (error == ERROR_SUCCESS &&
        !SetFileTime(target.get(), &info.ftCreationTime, nullptr, &info.ftLastWriteTime)) {
        error = GetLastError();
    }
    if (error == ERROR_SUCCESS && !FlushFileBuffers(target.get())) {
        error = GetLastError();
    }
    if (!target.reset() && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
    }
    return error;
}

} // namespace

std::uint32_t CrossVolumeMove::move(const std::filesystem::path& source,
                                    const std::filesystem::path& destination,
                                    const std::atomic<bool>* cancel) {
    // Sharing read only: nobody can change or delete the source until it is ours to delete.
    UniqueHandle input(CreateFileW(source.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!input.isValid()) {
        return MoveError::normalized(GetLastError());
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(input.get(), &info)) {
        return GetLastError();
    }
    // A read-only source could be copied but not deleted: refuse before copying.
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        return ERROR_ACCESS_DENIED;
    }
    if (GetFileAttributesW(destination.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return ERROR_ALREADY_EXISTS;
    }

    const std::filesystem::path temporary = temporaryBeside(destination);
    DWORD error = writeCopy(input.get(), info, temporary, cancel);
    if (error != ERROR_SUCCESS) {
        return MoveError::normalized(error);
    }
    // Same volume now: an atomic rename that fails if the name was taken meanwhile.
    if (!MoveFileExW(temporary.c_str(), destination.c_str(), 0)) {
        error = GetLastError();
        DeleteFileW(temporary.c_str());
        return MoveError::normalized(error);
    }
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (!SetFileInformationByHandle(input.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition)) {
        error = GetLastError();
        DeleteFileW(destination.c_str());
        return error;
    }
    // The source goes away when its last handle closes.
    input.reset();
    return ERROR_SUCCESS;
}

} // namespace platform
