#pragma once

#include <QString>

// Why the registry store cannot be read or parsed ("<store path>: line 3: …"), or nothing
// when it can: every registry read then finds nothing, and every change fails. The Windows
// registry has no store file of ours, so there it is always readable.
class RegistryStoreProblem {
public:
    static QString describe();
};
