#include "platform/KnownFolders.h"

#include "platform/ProfileEnvironment.h"

namespace platform {

std::optional<std::string> KnownFolders::documents() {
    for (const char* variable : {"USERPROFILE", "HOME"}) {
        const auto base = ProfileEnvironment::get(variable);
        if (base && !base->empty())
            return *base + "/Documents";
    }
    return std::nullopt;
}

} // namespace platform
