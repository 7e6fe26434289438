#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <platform/RegistryKey.h>
#include <string>
#include <vector>

// The Run dialog's history under its RunMRU key: values named by single letters, listed
// most recent first by the letters of the MRUList value. Only those values and MRUList
// itself are ever read as history or changed, so no character of MRUList can reach any
// other value (an empty name would be the key's default value) or the key itself.
class RunHistory {
public:
    struct Location {
        platform::RegistryRoot root = platform::RegistryRoot::CurrentUser;
        std::string path; // below the hive, "\" between names
    };
    // Where a rule path such as "HKCU\Software\...\RunMRU" points; nothing for another
    // hive or a path without a key below the hive.
    static std::optional<Location> locate(const QString& rulePath);

    // The entries: the letters of MRUList that name a value of the key, lower case, each
    // once, in list order. Any other character names nothing.
    static std::vector<std::string> entries(const platform::RegistryKey& key);
    // Deletes the entries' values, then leaves in MRUList only the letters whose value is
    // still there (none when every delete worked). A key without MRUList is not touched.
    // Returns the first Windows error, 0 when everything was removed.
    static std::uint32_t erase(platform::RegistryKey& key);
};
