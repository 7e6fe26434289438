#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>

// A small tmpfs of its own mounted on a folder for the life of the object: a drive on
// another volume than C:, which a move must copy to, and which fills up quickly. Mounting
// needs root; skipReason() says why it failed otherwise.
class ScratchVolume {
public:
    ScratchVolume(const std::filesystem::path& folder, std::uint64_t bytes);
    ~ScratchVolume();
    ScratchVolume(const ScratchVolume&) = delete;
    ScratchVolume& operator=(const ScratchVolume&) = delete;

    bool mounted() const { return skipReason_.isEmpty(); }
    const QString& skipReason() const { return skipReason_; }
    // Makes the volume read-only from now on, so nothing on it can be deleted or written;
    // false when it is not mounted or the remount failed.
    bool sealReadOnly();

private:
    std::filesystem::path folder_;
    QString skipReason_;
};
