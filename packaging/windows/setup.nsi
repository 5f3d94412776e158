; The per-user setup: the program rewrites its settings beside itself at every exit, so it is
; installed where the user can write without elevation, and registered for the user alone.
; Built by scripts/build-windows from the zip's folder and the list of what it lays:
;     makensis -DSTAGE=<unpacked zip folder> -DOUTFILE=<setup.exe> -DICON=<app.ico>
;              -DVERSION=<x.y.z> setup.nsi
; with <unpacked zip folder>.files beside the folder: the relative path of every file and folder
; laid outside AppFiles, children before their parents, UTF-16LE with CR LF.
; The setup is 32-bit although the program is 64-bit: on 32-bit Windows a 64-bit setup gets only
; the system's "This app can't run on your PC"; this one says why it stops.
Target x86-unicode
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
!include TextFunc.nsh
!include WinVer.nsh
!include x64.nsh

!define NAME "Glyphorbitaloscopex"
!define EXE "glyphorbitaloscopex.exe"
!define PUBLISHER "Quillmark Software"
!define LOG "uninstall.files"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

!ifndef VERSION
    !error "Give the version, x.y.z: -DVERSION=1.0.0"
!endif

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${NAME}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${NAME} v1.0 Setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
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

; Windows 10 1809 is the oldest Windows the program's Qt runs on.
!define OLDEST_BUILD 17763

; Says why the setup stops, and quits with the error level of a setup its script aborted.
!macro Refuse TEXT
    MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
    Abort
!macroend

Function .onInit
    ${IfNot} ${RunningX64}
        !insertmacro Refuse "${NAME} needs 64-bit Windows, and this Windows is 32-bit."
    ${EndIf}
    ; A build given at compile time lets the tests try the refusal on a Windows new enough.
    !ifdef TEST_WINDOWS_BUILD
        StrCpy $0 ${TEST_WINDOWS_BUILD}
    !else
        ${WinVerGetBuild} $0
    !endif
    ${IfNot} ${AtLeastWin10}
    ${OrIf} $0 < ${OLDEST_BUILD}
        !insertmacro Refuse "${NAME} needs Windows 10 version 1809 or later; this Windows is older (build $0). Update it, then run the setup again."
    ${EndIf}
    ; The uninstall key is one both registry views share, but the program is 64-bit: whatever
    ; the setup reads or writes belongs to its view. Nothing is laid under System32, the one
    ; folder WOW64 redirects, so the file system needs no such switch.
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

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

; Removes what the last install laid, by its record in the folder. The record lies where the
; user can write, so a line that leads out of the folder or into the settings is passed over.
!macro RemoveLaidFunction UN
Function ${UN}RemoveLaid
    StrCpy $3 "$INSTDIR\"
    StrLen $4 $3
    ClearErrors
    FileOpen $0 "$INSTDIR\${LOG}" r
    ${IfNot} ${Errors}
        ${Do}
            FileReadUTF16LE $0 $1
            ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
            ${TrimNewLines} $1 $1
            ; Empty when the path is not there.
            GetFullPathName $1 "$INSTDIR\$1"
            StrCpy $2 $1 $4
            StrCpy $5 "$1\" 9 $4
            ${If} $2 == $3
            ${AndIf} $1 != $3
            ${AndIf} $5 != "AppFiles\"
                Delete $1
                RMDir $1
            ${EndIf}
            ClearErrors
        ${Loop}
        FileClose $0
    ${EndIf}
FunctionEnd
!macroend
!insertmacro RemoveLaidFunction ""
!insertmacro RemoveLaidFunction "un."

Section
    !insertmacro RefuseWhileRunning
    ; What an earlier version laid goes first, so that a file this one no longer ships does not
    ; stay behind; what it still ships is laid again at once.
    Call RemoveLaid
    SetOutPath "$INSTDIR"
    ; The record comes before the files, so that it holds whatever a broken-off install laid.
    File "/oname=${LOG}" "${STAGE}.files"
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
    Call un.RemoveLaid
    Delete "$INSTDIR\${LOG}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
