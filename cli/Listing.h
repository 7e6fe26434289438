#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// What a sub-command reports: the page's categories with their rows and totals, and for a
// clean, move or uninstall what it did and what failed. TextReport and JsonReport render
// it; the JSON names of the members are given beside them.
struct Listing {
    struct Row {
        // "path" (Windows form) and "raw" (as the system names it).
        std::optional<std::filesystem::path> file;
        // A row that is no file, such as a Run history entry: "name" and "value".
        QString name;
        QString value;
        std::optional<std::uint64_t> bytes;   // "bytes"
        std::optional<bool> checked;          // "checked": ticked on the page
        std::optional<std::int64_t> modified; // "modified": last write, FILETIME ticks
        std::optional<QString> account;       // "account" (chat; empty: shared)
        std::optional<int> group;             // "group": duplicate group, from 1
        QString crc;                          // "crc": the group's CRC-32
        std::optional<bool> keep;             // "keep": the copy that stays
    };
    struct Category {
        QString id;                         // "id"
        QString name;                       // "name"
        QString group;                      // "group": the title above it, if any
        bool checked = false;               // "checked"
        std::optional<std::uint64_t> bytes; // "bytes" (none for records)
        std::uint64_t count = 0;            // "count": files, or records
        bool countsRecords = false;
        std::optional<std::uint64_t> groups;         // "groups": duplicate groups
        std::optional<std::filesystem::path> folder; // "folder" and "folderRaw"
        bool supported = true;                       // "supported": has a location to scan
        std::vector<Row> rows;                       // "rows"
    };
    struct Program {
        QString name;            // "name"
        std::uint64_t bytes = 0; // "bytes"
        QDate installDate;       // "installDate": yyyy-MM-dd, or null
        QString uninstallString; // "uninstallString"
        QString icon;            // "icon": the registry's DisplayIcon
    };
    struct Failure {
        std::optional<std::filesystem::path> file; // "path" and "raw"
        QString name;                              // "name": an item that is no file
        QString reason;                            // "reason": a stable word (FailureReasons)
        std::uint32_t code = 0;                    // "code": the Windows error code, or 0
        QString message;                           // "message": the reason, in words
    };
    struct Total {
        std::uint64_t bytes = 0;         // "bytes"
        std::uint64_t count = 0;         // "count"
        std::uint64_t selectedBytes = 0; // "selectedBytes"
        std::uint64_t selectedCount = 0; // "selectedCount"
        bool hasBytes = true;
    };
    struct Result {
        std::uint64_t bytes = 0;  // "bytes": freed, or moved off C:
        std::uint64_t count = 0;  // "count": files, records or programs done
        std::uint64_t failed = 0; // "failed"
    };

    QString area;                                     // "area"
    QString action;                                   // "action"
    std::optional<bool> dryRun;                       // "dryRun"
    bool interrupted = false;                         // "interrupted"
    std::optional<bool> installed;                    // "installed" (chat)
    std::optional<std::filesystem::path> folder;      // "folder" and "folderRaw" (chat)
    std::optional<QStringList> accounts;              // "accounts" (chat)
    QString drive;                                    // "drive" (duplicates)
    std::optional<std::filesystem::path> destination; // "destination", "destinationRaw"
    std::optional<bool> freesSystemDrive;             // "freesSystemDrive" (largefiles move)
    bool listsPrograms = false;
    std::vector<Category> categories; // "categories"
    std::vector<Program> programs;    // "programs" (software)
    Total total;                      // "total"
    std::optional<Result> result;     // "result": what an acting run did
    std::vector<Failure> failures;    // "failures"
    QStringList notes;                // "notes"

    // The text report's lines before the categories and after them.
    QStringList heading;
    QStringList closing;
};
