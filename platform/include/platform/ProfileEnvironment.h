#pragma once

#include <optional>
#include <string>

namespace platform {

// Environment access that keeps non-ASCII values intact (UTF-8 in and out).
class ProfileEnvironment {
public:
    static std::optional<std::string> get(const std::string& name);
    static void set(const std::string& name, const std::string& value);

    // Gives the Windows profile variables sensible values where they are unset or empty, so that
    // rule paths like "%TEMP%" name real folders. Linux (relative XDG paths count as unset):
    //   TEMP        = $XDG_CACHE_HOME/merivane/Temp, else $HOME/.cache/merivane/Temp, made
    //                 with mode 0700 if missing, unset without either; never $TMPDIR or
    //                 /tmp, whose files are not the user's alone to clean
    //   USERPROFILE = $HOME
    //   APPDATA     = $XDG_CONFIG_HOME, else $HOME/.config
    //   PUBLIC      = $XDG_DATA_HOME/merivane/Public, else $HOME/.local/share/merivane/Public
    // Windows: nothing to do (the system sets them).
    static void ensureWindowsVariables();
};

} // namespace platform
