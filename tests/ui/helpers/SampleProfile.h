#pragma once

#include "ScratchVolume.h"
#include "TempTree.h"

#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A sample Windows profile in a temporary folder, built by scripts/sample_profile.py (the
// generator behind scripts/start.sh): drives C: and D:, a registry file and a user profile
// with junk of many sizes. apply() points the process's environment at it.
//
// When the process may mount, the profile lives on a 4 GiB tmpfs of its own, so the
// drive's figures are known in advance: "可用3.00GB/共4.00GB".
class SampleProfile {
public:
    SampleProfile();

    // False when the folder or the generator failed; error() says why.
    bool isValid() const { return valid; }
    QString error() const { return problem; }
    // Whether drive C: is the 4 GiB volume (else the temporary folder's own disk).
    bool onKnownVolume() const { return volume && volume->mounted(); }
    // Sets the variables the generator printed (MERIVANE_DRIVES, TEMP, ...).
    void apply() const;

    QString root() const { return dir.path(); }
    // The native folder behind a path relative to drive C:, e.g. "Windows/Temp".
    QString onC(const QString& relative) const;
    QString value(const QString& variable) const { return environment.value(variable); }
    // Every entry of the profile, both drives and the registry file, and what changed since
    // ("removed: c/Users/…", "added: d/…").
    TempTree::Snapshot snapshot() const;
    QStringList changesSince(const TempTree::Snapshot& before) const;

private:
    QTemporaryDir dir;
    // Unmounted before the folder goes.
    std::unique_ptr<ScratchVolume> volume;
    QMap<QString, QString> environment;
    bool valid = false;
    QString problem;
};
