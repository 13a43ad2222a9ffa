; The JunkSweep installer: installs for the current user alone, without
; administrator rights, into %LOCALAPPDATA%\Programs\JunkSweep, a folder the
; user can write to (JunkSweep keeps its settings and backup sets beside
; itself). It installs only into a folder that is new or empty, or that
; holds an earlier installation: never over a user's own files. Adds a
; Start-menu shortcut and an entry in the installed programs, with an
; uninstaller that removes what the setup put there and keeps JunkSweep's
; data (the backup sets and the logs of the cleans) unless the user agrees
; to remove it.
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
!define DATA_ROOT "Data\ToolJunkSweep"
!define BACKUP_ROOT "Data\ToolJunkSweep\Backup"
!define LOG_ROOT "Data\ToolJunkSweep\Logs"
!define FILE_ATTRIBUTE_REPARSE_POINT 0x400

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

; Sets $0 to 1 when $INSTDIR may take JunkSweep: it does not exist yet, it is
; an empty folder, or it holds an earlier installation (the program and its
; uninstaller). A folder holding anything else is the user's: the setup
; would overwrite their files, and the uninstaller would later remove them.
Function FolderTakesJunkSweep
    Push $1
    Push $2
    StrCpy $0 1
    ${If} ${FileExists} "$INSTDIR\*.*"
        ${IfNot} ${FileExists} "$INSTDIR\JunkSweep.exe"
        ${OrIfNot} ${FileExists} "$INSTDIR\Uninstall.exe"
            FindFirst $1 $2 "$INSTDIR\*.*"
            ${DoWhile} $2 != ""
                ${If} $2 != "."
                ${AndIf} $2 != ".."
                    StrCpy $0 0
                    ${Break}
                ${EndIf}
                FindNext $1 $2
            ${Loop}
            FindClose $1
        ${EndIf}
    ${ElseIf} ${FileExists} "$INSTDIR"
        StrCpy $0 0  ; a file of that name
    ${EndIf}
    Pop $2
    Pop $1
FunctionEnd

; The directory page keeps Next disabled for a folder that may not take it.
Function .onVerifyInstDir
    Push $0
    Call FolderTakesJunkSweep
    ${If} $0 != 1
        Pop $0
        Abort
    ${EndIf}
    Pop $0
FunctionEnd

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
    ; A silent setup (/S /D=...) shows no directory page: the same check.
    Call FolderTakesJunkSweep
    ${If} $0 != 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "JunkSweep installs only into a new or empty folder, or over an earlier installation of JunkSweep. This folder holds other files:$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nPlease choose another folder." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    SetOutPath "$INSTDIR"
    File "${STAGE}\JunkSweep.exe"
    File "${STAGE}\JunkSweep.lng"
    File "${STAGE}\JunkSweep.rules.ini"
    File "${STAGE}\common.xml"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    SetOutPath "$INSTDIR\Languages"
    File "${STAGE}\Languages\*.lng"
    SetOutPath "$INSTDIR"
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

; Sets $0 to 1 when the folder exists and neither it nor a folder on the way
; from $INSTDIR is a junction or symbolic link: what the uninstaller removes
; in it is then JunkSweep's own, never what a link leads to.
!macro IsOwnFolder relative
    Push $1
    StrCpy $0 1
    ${IfNot} ${FileExists} "$INSTDIR\${relative}\*.*"
        StrCpy $0 0
    ${EndIf}
    !insertmacro LinkCheck "Data"
    !insertmacro LinkCheck "${DATA_ROOT}"
    !insertmacro LinkCheck "${relative}"
    Pop $1
!macroend

!macro LinkCheck relative
    System::Call 'kernel32::GetFileAttributesW(w "$INSTDIR\${relative}") i.r1'
    ${If} $1 = -1
    ${OrIf} $1 & ${FILE_ATTRIBUTE_REPARSE_POINT}
        StrCpy $0 0
    ${EndIf}
!macroend

Section "Uninstall"
    SetShellVarContext current
    ; Only what the setup put there, by name: never a whole folder the user
    ; may have filled.
    Delete "$INSTDIR\JunkSweep.exe"
    Delete "$INSTDIR\JunkSweep.lng"
    Delete "$INSTDIR\JunkSweep.rules.ini"
    Delete "$INSTDIR\JunkSweep.xml"
    Delete "$INSTDIR\common.xml"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    ; The translations JunkSweep ships, by name: a file the user added stays.
    !include "${STAGE}\..\uninstall-languages.nsh"
    RMDir "$INSTDIR\Languages"
    Delete "$SMPROGRAMS\JunkSweep.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; The backup sets hold the only copies of cleaned files, and the logs
    ; are the record of every clean (the Rescue Center opens a set's log):
    ; they stay unless the user agrees (a silent uninstall keeps them).
    ${If} ${FileExists} "$INSTDIR\${DATA_ROOT}\*.*"
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
            "Remove the backup sets and the logs of JunkSweep too?$\r$\n$\r$\nThe backup sets hold copies of the files JunkSweep cleaned, and only with them can the Rescue Center restore those files. Answer No to keep them in$\r$\n$INSTDIR\${DATA_ROOT}" \
            /SD IDNO IDNO keep_data
        !insertmacro IsOwnFolder "${BACKUP_ROOT}"
        ${If} $0 == 1
            RMDir /r "$INSTDIR\${BACKUP_ROOT}"
        ${EndIf}
        !insertmacro IsOwnFolder "${LOG_ROOT}"
        ${If} $0 == 1
            ; The logs are JunkSweep's own, by their names.
            Delete "$INSTDIR\${LOG_ROOT}\????-??-??_??-??-??.log"
            RMDir "$INSTDIR\${LOG_ROOT}"
        ${EndIf}
        !insertmacro IsOwnFolder "${DATA_ROOT}"
        ${If} $0 == 1
            Delete "$INSTDIR\${DATA_ROOT}\SpareNames.txt"
            RMDir "$INSTDIR\${DATA_ROOT}"
            RMDir "$INSTDIR\Data"
        ${EndIf}
    keep_data:
    ${EndIf}
    RMDir "$INSTDIR"
SectionEnd
