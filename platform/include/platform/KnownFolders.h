#pragma once

#include <optional>
#include <string>

namespace platform {

class KnownFolders {
public:
    // The user's Documents folder (SHGetFolderPath, CSIDL_PERSONAL), UTF-8.
    // Linux: $USERPROFILE/Documents when USERPROFILE is set, else $HOME/Documents.
    static std::optional<std::string> documents();
};

} // namespace platform
