; The installer of TQ: for the current user only, without elevation.
;   makensis /DVERSION=1.31 /DSTAGE=<folder with the files> /DOUTFILE=<setup.exe> tq-setup.nsi
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define PRODUCT "TQ"
!define PUBLISHER "The TQ project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TQ"
!define SETTINGS "$APPDATA\TQ\TQ.INI"
!define QUIT_COMMAND 803 ; the Quit command of TQ's notification-area menu

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\TQ"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.1"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LicenseData "${STAGE}\LICENSE.txt"

; Asks every running TQ to quit, as its menu's Quit does, and waits (at most
; ten seconds) until none is left: its program file cannot go while it runs.
!macro QuitRunningTQ
    StrCpy $1 0
    ${Do}
        FindWindow $0 "Tq_Main"
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        SendMessage $0 ${WM_COMMAND} ${QUIT_COMMAND} 0 /TIMEOUT=2000
        Sleep 100
        IntOp $1 $1 + 1
    ${LoopUntil} $1 >= 100
!macroend

Section "TQ"
    !insertmacro QuitRunningTQ
    SetOutPath "$INSTDIR"
    File "${STAGE}\TQ.EXE"
    File "${STAGE}\TQLIST.EXE"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; The settings live in the user's own folder, which TQ itself does not
    ; create for a path given on its command line.
    CreateDirectory "$APPDATA\TQ"
    CreateShortcut "$SMSTARTUP\TQ.lnk" "$INSTDIR\TQ.EXE" '"${SETTINGS}"' "$INSTDIR\TQ.EXE" 0
    CreateShortcut "$SMPROGRAMS\TQ reminders.lnk" "$INSTDIR\TQ.EXE" '/e "${SETTINGS}"' "$INSTDIR\TQ.EXE" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TQ.EXE,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    !insertmacro QuitRunningTQ
    Delete "$SMSTARTUP\TQ.lnk"
    Delete "$SMPROGRAMS\TQ reminders.lnk"
    Delete "$INSTDIR\TQ.EXE"
    Delete "$INSTDIR\TQLIST.EXE"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; The settings folder, $APPDATA\TQ, is the user's and stays.
SectionEnd
