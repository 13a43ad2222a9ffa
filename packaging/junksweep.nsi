; The JunkSweep installer: installs for the current user alone, without
; administrator rights, into %LOCALAPPDATA%\Programs\JunkSweep, a folder the
; user can write to (JunkSweep keeps its settings and backup sets beside
; itself). Adds a Start-menu shortcut and an entry in the installed programs,
; with an uninstaller that keeps the backup sets unless the user agrees to
; remove them.
;
; Built by cmake/make_packages.cmake:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder of the program's files>
;            -DICON=<program.ico> -DOUTFILE=<setup.exe>
;            -DCOMPANY=<maker> -DCOPYRIGHT=<copyright line> junksweep.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\JunkSweep"
; JunkSweep holds this mutex while it runs.
!define RUNNING_MUTEX "{0CC852F7-C0DA-4078-86ED-F07D77379036}"
!define BACKUP_ROOT "Data\ToolJunkSweep\Backup"

Name "JunkSweep ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\JunkSweep"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "JunkSweep ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "JunkSweep"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "JunkSweep setup"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\JunkSweep.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start JunkSweep"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Files of a running JunkSweep cannot be replaced or removed: ask the user to
; close it first. Sets $0 to 1 when it runs.
!macro IsJunkSweepRunning
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p.r0'
    ${If} $0 != 0
        System::Call 'kernel32::CloseHandle(p r0)'
        StrCpy $0 1
    ${EndIf}
!macroend

Function .onInit
    !insertmacro IsJunkSweepRunning
    ${If} $0 == 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "JunkSweep is running. Please close it, then start the setup again." /SD IDOK
        Abort
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro IsJunkSweepRunning
    ${If} $0 == 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "JunkSweep is running. Please close it, then remove it again." /SD IDOK
        Abort
    ${EndIf}
FunctionEnd

Section "JunkSweep"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\JunkSweep.exe"
    File "${STAGE}\JunkSweep.lng"
    File "${STAGE}\JunkSweep.rules.ini"
    File "${STAGE}\common.xml"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    ; Installed again over an earlier installation, the user's settings stay.
    SetOverwrite off
    File "${STAGE}\JunkSweep.xml"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateShortcut "$SMPROGRAMS\JunkSweep.lnk" "$INSTDIR\JunkSweep.exe" "" "$INSTDIR\JunkSweep.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "JunkSweep"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\JunkSweep.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    ; Only what the setup and JunkSweep itself put there, by name: never a
    ; whole folder the user may have filled.
    Delete "$INSTDIR\JunkSweep.exe"
    Delete "$INSTDIR\JunkSweep.lng"
    Delete "$INSTDIR\JunkSweep.rules.ini"
    Delete "$INSTDIR\JunkSweep.xml"
    Delete "$INSTDIR\JunkSweep.xml.saving"
    Delete "$INSTDIR\common.xml"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$SMPROGRAMS\JunkSweep.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; The backup sets hold the only copies of cleaned files: they stay unless
    ; the user agrees (a silent uninstall keeps them).
    ${If} ${FileExists} "$INSTDIR\${BACKUP_ROOT}\*.*"
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
            "Remove the backup sets of JunkSweep too?$\r$\n$\r$\nThey hold copies of the files JunkSweep cleaned, and only with them can the Rescue Center restore those files. Answer No to keep them in$\r$\n$INSTDIR\${BACKUP_ROOT}" \
            /SD IDNO IDNO keep_backups
        RMDir /r "$INSTDIR\${BACKUP_ROOT}"
    keep_backups:
    ${EndIf}
    ; The logs of the cleans are JunkSweep's own, by their names.
    Delete "$INSTDIR\Data\ToolJunkSweep\Logs\????-??-??_??-??-??.log"
    RMDir "$INSTDIR\Data\ToolJunkSweep\Logs"
    RMDir "$INSTDIR\Data\ToolJunkSweep"
    RMDir "$INSTDIR\Data"
    RMDir "$INSTDIR"
SectionEnd
