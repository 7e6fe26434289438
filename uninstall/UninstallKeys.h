#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

// Reads the programs registered under the four uninstall keys: machine-wide 64-bit, then
// machine-wide 32-bit (Wow6432Node), then the same two of the current user. The first
// key to list a display name wins, so a 64-bit entry hides its 32-bit twin and a
// machine-wide entry a per-user one.
class UninstallKeys {
public:
    // One program as its subkey describes it; absent values are empty.
    struct Entry {
        QString displayName;
        QString uninstallString;
        std::uint32_t estimatedSize = 0;
        QString displayIcon;
        bool hasDisplayIcon = false;
        // InstallDate, else InstallTime.
        QString installDate;
        QString installLocation;
    };
    struct Counts {
        int read = 0;   // subkeys opened and read
        int listed = 0; // handed to `program`
    };

    // Calls `program` for each program with a name not listed before, in key order, on the
    // calling thread; stops early when `stop` is set. An exception from `program` skips
    // that program only.
    static Counts read(const std::function<void(const Entry&)>& program,
                       const std::atomic<bool>& stop);
};
