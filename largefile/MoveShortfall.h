#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <vector>

// The files a move left where they were, and why: the move workers add them, the page reads
// them once the move has ended.
class MoveShortfall {
public:
    // Before the workers start.
    void clear();
    // Any worker: the file at `order` in the move's list stayed for `error` (a WinError).
    void add(std::size_t order, const std::filesystem::path& source, std::uint32_t error);

    int count() const;
    // "未能移动: a.zip(目标文件夹中已有同名文件)、…" naming the first `named` files in the
    // move's order, with "等N个文件" when more stayed; empty when none did.
    QString reasons(int named = 3) const;
    // Why a file stayed, as the user is told.
    static QString reasonText(std::uint32_t error);

private:
    struct Stayed {
        std::size_t order = 0;
        QString name;
        std::uint32_t error = 0;
    };
    mutable std::mutex mutex_;
    std::vector<Stayed> stayed_;
};
