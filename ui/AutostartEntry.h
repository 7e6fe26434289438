#pragma once

#include "AppPaths.h"

#include <QString>

// The program's value under HKEY_CURRENT_USER\...\CurrentVersion\Run: named after the
// application, holding the executable path with backslashes. Autostart counts as on only
// when the value equals that path exactly.
class AutostartEntry {
public:
    explicit AutostartEntry(const AppPaths& paths);

    static const char* const RunKeyPath;

    // The value data that marks this executable.
    QString command() const { return command_; }
    bool isRegistered() const;
    // Creates the value, or rewrites it when it names another path.
    void registerHere() const;
    // Brings the value in line with a check box: ticked registers, unticked removes.
    void apply(bool enabled) const;

private:
    QString valueName_;
    QString command_;
};
