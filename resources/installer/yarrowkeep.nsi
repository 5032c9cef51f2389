; The setup program: a per-machine install of the program into Program Files, a Start menu shortcut, an entry
; under Add or Remove Programs, the interface in the system's language (English, Traditional Chinese or
; Japanese), /S for silent installs, and an uninstaller that leaves the user's backups and profile alone.
; Built by scripts/build-installer.sh, which passes VERSION, PROGRAM, ICON, WELCOME and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define APP "Yarrowkeep"
!define PUBLISHER "Yarrowkeep"
!define EXE "yarrowkeep.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Yarrowkeep"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define RUN_KEY_32 "SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Run"
; The running program holds this mutex, and ends when the installer broadcasts the message.
!define INSTANCE_MUTEX "WBX Yarrowkeep Utility"
!define QUIT_MESSAGE "Yarrowkeep.QuitForInstall"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
BrandingText "${APP} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WELCOME}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for a system language that is none of the three.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "TradChinese"
!insertmacro MUI_LANGUAGE "Japanese"

LangString StillRunning ${LANG_ENGLISH} "${APP} is still running. Close it (a backup or restore under way must finish first), then choose Retry."
LangString StillRunning ${LANG_TRADCHINESE} "${APP} 仍在執行中。請先關閉它（進行中的備份或還原須先完成），然後選擇「重試」。"
LangString StillRunning ${LANG_JAPANESE} "${APP} はまだ実行中です。終了してから（実行中のバックアップまたは復元は完了を待ってください）「再試行」を選んでください。"

; Asks a running instance to end and waits for it: the program is never replaced while it runs. Up to 30 s,
; then the user may wait longer or cancel; a silent install gives up with exit code 2.
!macro STOP_RUNNING_PROGRAM un
Function ${un}stopRunningProgram
    System::Call 'user32::RegisterWindowMessageW(w "${QUIT_MESSAGE}") i .r2'
    StrCpy $1 0
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
        ${If} $0 P= 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        System::Call 'user32::PostMessageW(p 0xffff, i r2, p 0, p 0)'
        Sleep 500
        IntOp $1 $1 + 1
        ${If} $1 >= 60
            IfSilent 0 +3
                SetErrorLevel 2
                Quit
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" IDRETRY +2
                Quit
            StrCpy $1 0
        ${EndIf}
    ${Loop}
    ; The process may hold its file a moment after the mutex is gone.
    Sleep 500
FunctionEnd
!macroend
!insertmacro STOP_RUNNING_PROGRAM ""
!insertmacro STOP_RUNNING_PROGRAM "un."

Section "${APP}"
    SetShellVarContext all
    SetRegView 64
    Call stopRunningProgram
    SetOutPath "$INSTDIR"
    ; The new program is unpacked beside the old one and takes its name in one step, so the folder never
    ; holds half of each.
    SetOverwrite on
    File "/oname=${EXE}.new" "${PROGRAM}"
    Delete "$INSTDIR\${EXE}"
    ${If} ${FileExists} "$INSTDIR\${EXE}"
        Delete "$INSTDIR\${EXE}.new"
        SetErrorLevel 2
        Abort
    ${EndIf}
    Rename "$INSTDIR\${EXE}.new" "$INSTDIR\${EXE}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\${EXE}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

    ; Started by the program's own update: the new version starts once it is in place.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/UPDATE" $1
    ${IfNot} ${Errors}
        Exec '"$INSTDIR\${EXE}"'
    ${EndIf}
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    SetRegView 64
    Call un.stopRunningProgram
    ; What the program and its update put in its folder; anything else there is left, and so is the folder.
    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\${EXE}.new"
    Delete "$INSTDIR\Yarrowkeep_Version.bin"
    Delete "$INSTDIR\*.yktmp"
    Delete "$INSTDIR\yarrowkeep-setup-*.exe"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; Auto Launch, in both registry views. The profile (HKCU) and the backups stay.
    DeleteRegValue HKLM "${RUN_KEY}" "Yarrowkeep"
    DeleteRegValue HKLM "${RUN_KEY_32}" "Yarrowkeep"
SectionEnd
