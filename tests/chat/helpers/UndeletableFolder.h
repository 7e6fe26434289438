#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <utility>

class ScratchVolume;

// Makes the files of a folder impossible to delete, as a file the chat program holds open
// is on Windows: a scratch volume is mounted there and sealed read-only when the process may
// mount (root ignores permission bits), else the folder loses its write permission.
class UndeletableFolder {
public:
    UndeletableFolder(const std::filesystem::path& folder,
                      std::initializer_list<std::pair<const char*, std::uintmax_t>> files);
    ~UndeletableFolder();
    UndeletableFolder(const UndeletableFolder&) = delete;
    UndeletableFolder& operator=(const UndeletableFolder&) = delete;

    // Empty when it worked; else why not (the test is skipped then).
    const QString& problem() const { return problem_; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<ScratchVolume> volume_; // while mounted, unmounted at the end
    QString problem_;
};
