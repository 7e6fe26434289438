#include "UninstallCommand.h"

#include <QtTest>

// How an uninstall string becomes a program and its parameters, and which folder holds
// that program.
class tst_UninstallCommand : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
};

void tst_UninstallCommand::split_data() {
    QTest::addColumn<QString>("uninstString");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("folder");

    QTest::newRow("exe with a blank in the path") << R"(C:\Program Files\App\uninst.exe /S)"
                                                  << R"(C:\Program Files\App\uninst.exe)"
                                                  << "/S"
                                                  << R"(C:\Program Files\App)";
    QTest::newRow("quoted, parameters keep their blank")
        << R"("C:\Program Files\App\uninst.exe" /S)"
        << R"(C:\Program Files\App\uninst.exe)"
        << " /S"
        << R"(C:\Program Files\App)";
    QTest::newRow("batch file") << R"(C:\Program Files\App\run.bat x)"
                                << R"(C:\Program Files\App\run.bat)"
                                << "x"
                                << R"(C:\Program Files\App)";
    // Windows Installer's own entries. Started with its own name as a parameter, or with
    // the /I it registers, msiexec leaves the product installed (seen under Wine with a
    // product built by wixl).
    QTest::newRow("Windows Installer, removal")
        << "MsiExec.exe /X{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21}"
        << "msiexec.exe"
        << "/X{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21}"
        << "";
    QTest::newRow("Windows Installer, maintenance as it registers it")
        << "MsiExec.exe /I{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21}"
        << "msiexec.exe"
        << "/X{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21}"
        << "";
    QTest::newRow("Windows Installer, lower case, more switches")
        << "msiexec.exe /i {6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21} /qb"
        << "msiexec.exe"
        << "/X{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21} /qb"
        << "";
    QTest::newRow("Windows Installer, quoted with its folder")
        << R"("C:\Windows\System32\MsiExec.exe" /X{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21})"
        << "msiexec.exe"
        << "/X{6F1B3C2A-0D4E-4B5F-9A8C-7E6D5C4B3A21}"
        << "";
    QTest::newRow("Windows Installer, a package path keeps its /I")
        << R"(MsiExec.exe /I "C:\Setup\app.msi")"
        << "msiexec.exe"
        << R"(/I "C:\Setup\app.msi")"
        << "";
    QTest::newRow("upper-case extension") << R"(C:\APP\UNINST.EXE)"
                                          << R"(C:\APP\UNINST.EXE)"
                                          << ""
                                          << R"(C:\APP)";
    // Cut at the first blank, this would start C:\Program (or C:\Program.exe).
    QTest::newRow("upper-case extension, blank in the path") << R"(C:\Program Files\APP\UNINST.EXE)"
                                                             << R"(C:\Program Files\APP\UNINST.EXE)"
                                                             << ""
                                                             << R"(C:\Program Files\APP)";
    QTest::newRow("upper-case batch file") << R"(C:\Program Files\Tools\REMOVE.BAT /quiet)"
                                           << R"(C:\Program Files\Tools\REMOVE.BAT)"
                                           << "/quiet"
                                           << R"(C:\Program Files\Tools)";
    QTest::newRow("no extension, blank in the path") << R"(C:\Program Files\App\uninstall /S)"
                                                     << R"(C:\Program Files\App\uninstall)"
                                                     << "/S"
                                                     << R"(C:\Program Files\App)";
    QTest::newRow("no extension, a path in the parameters")
        << R"(C:\Program Files\App\uninstall /log C:\x.log)"
        << R"(C:\Program Files\App\uninstall /log C:\x.log)"
        << ""
        << R"(C:\Program Files\App\uninstall /log C:)";
    QTest::newRow("bare program name") << "uninstaller /x"
                                       << "uninstaller"
                                       << "/x"
                                       << "";
    QTest::newRow("quote never closed") << R"("C:\Program Files\App\uninst.exe /S)"
                                        << ""
                                        << ""
                                        << "";
    QTest::newRow("leading blanks") << R"(  "C:\App\u.exe" --all)"
                                    << R"(C:\App\u.exe)"
                                    << " --all"
                                    << R"(C:\App)";
    QTest::newRow("program at a drive's root") << R"(C:\uninst.exe)"
                                               << R"(C:\uninst.exe)"
                                               << ""
                                               << "C:";
    QTest::newRow("Chinese folder names") << R"(D:\软件\输入法\卸载.exe /S /D=D:\软件\输入法)"
                                          << R"(D:\软件\输入法\卸载.exe)"
                                          << R"(/S /D=D:\软件\输入法)"
                                          << R"(D:\软件\输入法)";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "";
}

void tst_UninstallCommand::split() {
    QFETCH(QString, uninstString);
    QFETCH(QString, program);
    QFETCH(QString, parameters);
    QFETCH(QString, folder);
    const UninstallCommand command = UninstallCommand::Split(uninstString);
    QCOMPARE(command.program(), program);
    QCOMPARE(command.parameters(), parameters);
    QCOMPARE(command.folder(), folder);
}

QTEST_GUILESS_MAIN(tst_UninstallCommand)
#include "tst_UninstallCommand.moc"
