#pragma once

#include <QString>
#include <cstdint>

// The sentences the function pages and the home page show about sizes and counts.
class StatusTexts {
public:
    // "C盘(系统盘)可用…GB/共…GB，清理文件不影响系统正常使用", or the fixed tail alone when
    // drive C: cannot be read.
    static QString diskSentence();
    static QString foundSentence(std::uint64_t found, std::uint64_t selected);
    static QString movableSentence(std::uint64_t found, std::uint64_t selected);
    static QString recordsSentence(int records, int checked);
    static QString homeCleanable(std::uint64_t found);
    static QString homeMovable(std::uint64_t found);
    static QString homeRecords(int records);
    static QString cleanFinished(std::uint64_t freed);
    static QString chatCleanFinished(std::uint64_t freed);
    static QString moveFinished(std::uint64_t moved);
    // A move that left `stayed` files where they were.
    static QString moveIncomplete(std::uint64_t moved, int stayed);
};
