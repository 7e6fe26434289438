; The Windows installer, built by scripts/build-windows.sh with makensis:
;   makensis -DSOURCE=<portable folder> -DVERSION=<x.y> -DOUTFILE=<setup.exe> Merivane.nsi
; Installs the portable folder into Program Files, adds the Start-menu entry and registers
; the program under the machine's Uninstall key; the uninstaller removes all of it, and,
; after asking, what the program wrote beside itself while it ran.
Unicode true
; A 64-bit installer for a 64-bit program: it sees the 64-bit Program Files and registry
; views without redirection, and runs where no 32-bit subsystem is installed.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define NAME "Merivane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME}"
Caption "${NAME} 安装"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
Icon "${SOURCE}/../Merivane.ico"
UninstallIcon "${SOURCE}/../Merivane.ico"
ShowInstDetails show
ShowUninstDetails show

LoadLanguageFile "${NSISDIR}/Contrib/Language files/SimpChinese.nlf"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!include "FileFunc.nsh"

; Installed for every user of the machine: the Start-menu entry goes to all users' menu.
Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}/*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\Merivane.exe"

    ${GetTime} "" "L" $0 $1 $2 $3 $4 $5 $6
    ${GetSize} "$INSTDIR" "/S=0K" $7 $8 $9
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Merivane.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallDate" "$2$1$0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $7
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${NAME}.lnk"
    ; What the installer put there, by name: the list is written at build time.
    !include "${SOURCE}/../installed-files.nsh"
    Delete "$INSTDIR\Uninstall.exe"

    ; What the program writes beside itself as it runs: its logs, settings and crash dumps.
    IfFileExists "$INSTDIR\*.*" 0 done
    MessageBox MB_YESNO|MB_ICONQUESTION "是否同时删除程序运行时留下的日志、设置和崩溃转储文件？" /SD IDYES IDNO keep
    Delete "$INSTDIR\application.log"
    Delete "$INSTDIR\app.log"
    Delete "$INSTDIR\config.ini"
    Delete "$INSTDIR\*.dmp"
keep:
done:
    ; Removed only when empty: nothing the user put there goes with it.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
