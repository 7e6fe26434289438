#pragma once

#include <QString>

// What an uninstall string from the registry starts: a program and its parameters.
class UninstallCommand {
public:
    // Splits an uninstall string:
    // - with "msiexec.exe" in it, in any case, quoted or with a folder: msiexec.exe, with
    //   what follows it as its parameters, and Windows Installer's "/I{product}" (its
    //   maintenance run, which reinstalls) turned into "/X{product}", the removal;
    // - quoted: the program is the quoted text, the parameters all after the closing quote
    //   (nothing at all without one);
    // - with ".exe", else ".bat", in any case: the program ends at the first blank after it;
    // - otherwise at the first blank after the last backslash.
    // No cut is made before the first ".exe"/".bat", or, without one, before the last
    // backslash, so "C:\Program Files\..." never starts C:\Program. A folder whose own
    // name holds ".exe " is still cut there: "C:\Apps\foo.exe bar\uninst.exe" starts
    // C:\Apps\foo.exe.
    static UninstallCommand Split(const QString& uninstString);

    QString program() const { return program_; }
    QString parameters() const { return parameters_; }
    // The folder holding the program, without trailing separators; empty when the
    // program names none ("msiexec.exe").
    QString folder() const;

private:
    // The program up to the first blank at or after `from`, the parameters after it.
    void cutAtBlank(const QString& text, int from);

    QString program_;
    QString parameters_;
};
