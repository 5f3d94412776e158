; The per-user setup: the program rewrites its settings beside itself at every exit, so it is
; installed where the user can write without elevation, and registered for the user alone.
; Built by scripts/build-windows from the zip's folder:
;     makensis -DSTAGE=<unpacked zip folder> -DOUTFILE=<setup.exe> -DICON=<app.ico> setup.nsi
; The program is 64-bit, and a 64-bit setup runs where it can.
Target amd64-unicode
; Windows treats any program named like a setup as one, which this is; the name stays.
!pragma warning disable 9000
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

; Given a certificate, scripts/build-windows passes the command that signs with it: the
; uninstaller is signed before it is embedded, so that the one the setup writes is signed too,
; and the setup once it is written. A failed signing fails the build.
!ifdef SIGN_COMMAND
    !uninstfinalize '"${SIGN_COMMAND}" "%1"' = 0
    !finalize '"${SIGN_COMMAND}" "%1"' = 0
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define NAME "Glyphorbitaloscopex"
!define EXE "glyphorbitaloscopex.exe"
!define VERSION "1.0.0"
!define PUBLISHER "Quillmark Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${NAME}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${NAME} v1.0 Setup"
VIAddVersionKey FileVersion "1.00"
VIAddVersionKey ProductVersion "1.00"
VIAddVersionKey LegalCopyright "Copyright (c) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; A running copy keeps its executable open, and would write its settings back into the folder
; after it was emptied: opening the executable for writing fails while it runs.
!macro RefuseWhileRunning
    ${If} ${FileExists} "$INSTDIR\${EXE}"
        ClearErrors
        FileOpen $0 "$INSTDIR\${EXE}" a
        ${If} ${Errors}
            MessageBox MB_OK|MB_ICONSTOP "${NAME} is running from $INSTDIR. Close it, then try again." /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        FileClose $0
    ${EndIf}
!macroend

Section
    !insertmacro RefuseWhileRunning
    SetOutPath "$INSTDIR"
    File /r /x AppFiles "${STAGE}\*"
    ; The settings are the user's once laid: an update keeps them.
    SetOutPath "$INSTDIR\AppFiles"
    SetOverwrite off
    File "${STAGE}\AppFiles\*"
    SetOverwrite on
    SetOutPath "$INSTDIR"

    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${EXE}"

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section Uninstall
    !insertmacro RefuseWhileRunning
    Delete "$SMPROGRAMS\${NAME}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Asked, the user may take the settings too; a silent uninstall keeps them.
    MessageBox MB_YESNO|MB_ICONQUESTION "Remove your settings in $INSTDIR\AppFiles as well?" /SD IDNO IDNO keep
    RMDir /r "$INSTDIR\AppFiles"
keep:
    ; Only what the setup laid: anything else the user put in the folder stays.
    !include "${STAGE}.files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR\platforms"
    RMDir "$INSTDIR"
SectionEnd
