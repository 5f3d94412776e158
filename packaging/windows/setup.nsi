; The per-user setup: the program rewrites its settings beside itself at every exit, so it is
; installed where the user can write without elevation, and registered for the user alone.
; Built by scripts/build-windows from the zip's folder and the list of what it lays:
;     makensis -DSTAGE=<unpacked zip folder> -DOUTFILE=<setup.exe> -DICON=<app.ico>
;              -DVERSION=<x.y.z> setup.nsi
; with <unpacked zip folder>.files beside the folder: the relative path of every file and folder
; laid outside the settings' folder, children before their parents, UTF-16LE with CR LF; and
; <unpacked zip folder>.nsh, the settings' names as the build gives them.
; The setup is 64-bit, as the program is. 32-bit Windows cannot start it and says so itself ("This
; app can't run on your PC"), as it would of the program.
Target amd64-unicode
; Windows treats any program named like a setup as one, which this is; the name stays.
!pragma warning disable 9000
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

; Given a certificate, scripts/build-windows passes the command that signs with it: the
; uninstaller is signed before it is embedded, so that the one the setup writes is signed too,
; and the setup once it is written. A failed signing fails the build. The plug-ins the setup
; unpacks and loads come from SIGNED_PLUGINS, copies signed with the same certificate: Smart App
; Control and application control policies block unsigned code that a signed program loads.
!ifdef SIGN_COMMAND
    !uninstfinalize '"${SIGN_COMMAND}" "%1"' = 0
    !finalize '"${SIGN_COMMAND}" "%1"' = 0
!endif
!ifdef SIGNED_PLUGINS
    !addplugindir /amd64-unicode "${SIGNED_PLUGINS}"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include TextFunc.nsh
!include WinVer.nsh
!include x64.nsh

!include "${STAGE}.nsh"
!define NAME "Glyphorbitaloscopex"
!define EXE "glyphorbitaloscopex.exe"
!define PUBLISHER "Quillmark Software"
!define LOG "uninstall.files"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"
; The exit codes of a refusal, Windows' own for what stands in the way.
!define ERROR_ACCESS_DENIED 5
!define ERROR_SHARING_VIOLATION 32
!define ERROR_NOT_SUPPORTED 50

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

!ifndef VERSION
    !error "Give the version, x.y.z, as the build's version.txt holds it: -DVERSION=x.y.z"
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
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; Windows 10 1809 is the oldest Windows the program's Qt runs on.
!define OLDEST_BUILD 17763
; Windows on ARM runs 64-bit x86 programs from Windows 11 on. Windows 10 on ARM cannot start this
; setup at all; of its builds only the previews that led to Windows 11 (21277 on) could, and the
; program needs what Windows 11 brought.
!define ARM_OLDEST_BUILD 22000
!define IMAGE_FILE_MACHINE_ARM64 0xAA64

; Says why the setup or the uninstaller stops, and quits with the exit code given.
!macro Refuse CODE TEXT
    MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
    SetErrorLevel ${CODE}
    Abort
!macroend

; Run as administrator, perhaps with another account's password typed at the prompt, the setup
; would install into the profile and registry of the account it runs as and start the program
; elevated at its end, and the uninstaller would remove that account's entry and shortcut. The
; token says whether the process is elevated (TokenElevation, 20).
!macro RefuseElevated TEXT
    StrCpy $3 0
    System::Call 'kernel32::GetCurrentProcess() p .r2'
    System::Call 'advapi32::OpenProcessToken(p r2, i 8, *p .r2) i .r4'
    ${If} $4 <> 0
        System::Call 'advapi32::GetTokenInformation(p r2, i 20, *i .r3, i 4, *i) i'
        System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
    ${If} $3 <> 0
        !insertmacro Refuse ${ERROR_NOT_SUPPORTED} "${TEXT}"
    ${EndIf}
!macroend

Function .onInit
    ; A build given at compile time lets the tests try the refusal on a Windows new enough.
    !ifdef TEST_WINDOWS_BUILD
        StrCpy $0 ${TEST_WINDOWS_BUILD}
    !else
        ${WinVerGetBuild} $0
    !endif
    ${IfNot} ${AtLeastWin10}
    ${OrIf} $0 < ${OLDEST_BUILD}
        !insertmacro Refuse 2 "${NAME} needs Windows 10 version 1809 or later; this Windows is older (build $0). Update it, then run the setup again."
    ${EndIf}
    ; IsWow64Process2, in every Windows 10 from 1511 on, names the machine beneath an emulated one.
    !ifdef TEST_NATIVE_MACHINE
        StrCpy $1 ${TEST_NATIVE_MACHINE}
    !else
        ${GetNativeMachineArchitecture} $1
    !endif
    ${If} $1 = ${IMAGE_FILE_MACHINE_ARM64}
    ${AndIf} $0 < ${ARM_OLDEST_BUILD}
        !insertmacro Refuse 2 "${NAME} needs Windows 11 on a computer with an ARM processor: Windows 10 on ARM cannot run 64-bit x86 programs (build $0). Update to Windows 11, then run the setup again."
    ${EndIf}
    !insertmacro RefuseElevated "${NAME} is installed for the current user alone, without administrator rights, and this setup runs as an administrator: it would install for the account it runs as. Run it again without $\"Run as administrator$\", signed in as the user who will use ${NAME}."
    ; A silent setup has no folder page: the folder given with /D is checked here.
    ${If} ${Silent}
        Call CheckFolder
    ${EndIf}
FunctionEnd

; What is done with the settings files, one by one, in the folder FOLDER.
!macro SettingsFileThere FOLDER NAME
    ${IfThen} ${FileExists} "${FOLDER}\${SETTINGS}\${NAME}" ${|} StrCpy $9 1 ${|}
!macroend
!macro CopySettingsFile FOLDER NAME
    ${If} ${FileExists} "${FOLDER}\${SETTINGS}\${NAME}"
        CopyFiles /SILENT "${FOLDER}\${SETTINGS}\${NAME}" "$INSTDIR\${SETTINGS}"
    ${EndIf}
!macroend
; Once a copy is here, the earlier one goes.
!macro RemoveCopiedSettingsFile FOLDER NAME
    ${If} ${FileExists} "$INSTDIR\${SETTINGS}\${NAME}"
        Delete "${FOLDER}\${SETTINGS}\${NAME}"
    ${EndIf}
!macroend
!macro DeleteSettingsFile FOLDER NAME
    Delete "${FOLDER}\${SETTINGS}\${NAME}"
!macroend

; Sets $9 to 1 where the folder on the stack holds a settings file, else to 0.
Function HasSettings
    Exch $8
    StrCpy $9 0
    !insertmacro ForEachSettingsFile SettingsFileThere $8
    Pop $8
FunctionEnd

; A folder that holds anything but a copy of ours, by its record or its settings (which an
; uninstall may leave), is another's: chosen by mistake, it may hold another program's DLLs of the
; same names, which the setup would overwrite, record and later remove. The program goes into a
; folder of its own inside it, as with most setups.
Function OwnFolder
    ${Do}
        ${DirState} $INSTDIR $0
        Push $INSTDIR
        Call HasSettings
        ${If} $0 <> 1
        ${OrIf} ${FileExists} "$INSTDIR\${LOG}"
        ${OrIf} $9 = 1
            Return
        ${EndIf}
        StrCpy $INSTDIR "$INSTDIR\${NAME}"
    ${Loop}
FunctionEnd

; The folder must be one the user may write in, tried rather than read from its rights: a folder
; such as Program Files would otherwise fail at its first file, with Abort, Retry and Ignore. A
; folder made for the try stays for the install that follows. On the folder page the user chooses
; again; a silent setup ends with ERROR_ACCESS_DENIED. A folder of its own for the program is
; shown on the page before the user goes on.
Function CheckFolder
    StrCpy $1 $INSTDIR
    Call OwnFolder
    ${If} $INSTDIR != $1
    ${AndIfNot} ${Silent}
        SendMessage $mui.DirectoryPage.Directory ${WM_SETTEXT} 0 "STR:$INSTDIR"
        MessageBox MB_OK|MB_ICONINFORMATION "$1 already holds other files. ${NAME} goes into a folder of its own inside it, so that nothing there is overwritten:$\r$\n$\r$\n$INSTDIR" /SD IDOK
        Abort
    ${EndIf}
    StrCpy $1 "$INSTDIR\~${LOG}.tmp"
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $0 $1 w
    ${IfNot} ${Errors}
        FileClose $0
        Delete $1
        Return
    ${EndIf}
    MessageBox MB_OK|MB_ICONEXCLAMATION "You may not write in $INSTDIR. Choose a folder of your own, such as $LOCALAPPDATA\Programs\${NAME}: ${NAME} keeps its settings beside itself, so it is installed where you can write without administrator rights." /SD IDOK
    ${If} ${Silent}
        SetErrorLevel ${ERROR_ACCESS_DENIED}
    ${EndIf}
    Abort
FunctionEnd

; A running copy keeps its executable open, and would write its settings back into the folder
; after it was emptied: opening the executable for writing fails while it runs.
!macro RefuseWhileRunning FOLDER
    ${If} ${FileExists} "${FOLDER}\${EXE}"
        ClearErrors
        FileOpen $0 "${FOLDER}\${EXE}" a
        ${If} ${Errors}
            MessageBox MB_OK|MB_ICONSTOP "${NAME} is running from ${FOLDER}. Close it, then try again." /SD IDOK
            SetErrorLevel ${ERROR_SHARING_VIOLATION}
            Quit
        ${EndIf}
        FileClose $0
    ${EndIf}
!macroend

; Removes what the last install laid in the folder given on the stack, by its record there. The
; record lies where the user can write, so a line that leads out of the folder or into the
; settings is passed over.
!macro RemoveLaidFunction UN
Function ${UN}RemoveLaid
    Exch $6
    StrCpy $3 "$6\"
    StrLen $4 $3
    ClearErrors
    FileOpen $0 "$6\${LOG}" r
    ${IfNot} ${Errors}
        ${Do}
            FileReadUTF16LE $0 $1
            ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
            ${TrimNewLines} $1 $1
            ; Empty when the path is not there.
            GetFullPathName $1 "$6\$1"
            StrCpy $2 $1 $4
            StrLen $7 "${SETTINGS}\"
            StrCpy $5 "$1\" $7 $4
            ${If} $2 == $3
            ${AndIf} $1 != $3
            ${AndIf} $5 != "${SETTINGS}\"
                Delete $1
                RMDir $1
            ${EndIf}
            ClearErrors
        ${Loop}
        FileClose $0
    ${EndIf}
    Pop $6
FunctionEnd
!macroend
!insertmacro RemoveLaidFunction ""
!insertmacro RemoveLaidFunction "un."

; An earlier copy in another folder goes first, so that one program and one Start-menu entry
; remain; but only what its setup laid. Its settings come along unless the new folder has its
; own, and are removed there only once copied; anything the user put beside them stays.
Function RemoveEarlierCopy
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ; Empty when the folder is not there.
    GetFullPathName $R0 $R0
    GetFullPathName $R1 $INSTDIR
    ${If} $R0 == ""
    ${OrIf} $R0 == $R1
    ${OrIfNot} ${FileExists} "$R0\${LOG}"
        Return
    ${EndIf}
    !insertmacro RefuseWhileRunning $R0
    Push $INSTDIR
    Call HasSettings
    ${If} $9 = 0
        CreateDirectory "$INSTDIR\${SETTINGS}"
        ClearErrors
        !insertmacro ForEachSettingsFile CopySettingsFile $R0
        ${If} ${Errors}
            MessageBox MB_OK|MB_ICONSTOP "Your settings in $R0\${SETTINGS} could not be copied to $INSTDIR\${SETTINGS}. They are left where they are; free some space or choose another folder, then try again." /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        !insertmacro ForEachSettingsFile RemoveCopiedSettingsFile $R0
    ${EndIf}
    Push $R0
    Call RemoveLaid
    Delete "$R0\${LOG}"
    Delete "$R0\uninstall.exe"
    RMDir "$R0\${SETTINGS}"
    RMDir "$R0"
    Delete "$SMPROGRAMS\${NAME}.lnk"
FunctionEnd

Section
    !insertmacro RefuseWhileRunning $INSTDIR
    Call RemoveEarlierCopy
    ; What an earlier version laid goes first, so that a file this one no longer ships does not
    ; stay behind; what it still ships is laid again at once.
    Push $INSTDIR
    Call RemoveLaid
    SetOutPath "$INSTDIR"
    ; The record comes before the files, so that it holds whatever a broken-off install laid.
    File "/oname=${LOG}" "${STAGE}.files"
    File /r /x ${SETTINGS} "${STAGE}\*"
    ; The settings are the user's once laid: an update keeps them.
    SetOutPath "$INSTDIR\${SETTINGS}"
    SetOverwrite off
    File "${STAGE}\${SETTINGS}\*"
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
    ; Started without _?=, the uninstaller copies itself to the temporary folder, starts the copy
    ; and ends at once; with it, it works in place, so that whoever starts it learns the result.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    !insertmacro RefuseElevated "This uninstaller runs as an administrator: it would remove ${NAME} from the account it runs as. Run it again without $\"Run as administrator$\", signed in as the user who installed ${NAME}."
    ; An uninstaller working in place (_?=) cannot delete its own file. Once it has ended, a copy
    ; run from the temporary folder, as the uninstaller started without _?= runs itself, deletes
    ; it, and the folder if nothing else is left; only after an uninstall, whose record is gone.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/CLEANUP" $1
    ${If} ${Errors}
        Return
    ${EndIf}
    ${IfNot} ${FileExists} "$INSTDIR\${LOG}"
        ; Ten seconds for the uninstaller, and the start of this copy, to end.
        ${For} $1 1 100
            Delete "$INSTDIR\uninstall.exe"
            ${IfNotThen} ${FileExists} "$INSTDIR\uninstall.exe" ${|} ${ExitFor} ${|}
            Sleep 100
        ${Next}
        RMDir "$INSTDIR"
    ${EndIf}
    Quit
FunctionEnd

Section Uninstall
    !insertmacro RefuseWhileRunning $INSTDIR
    Delete "$SMPROGRAMS\${NAME}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Asked, the user may take the settings too, by name: anything else in their folder stays. A
    ; silent uninstall keeps them.
    MessageBox MB_YESNO|MB_ICONQUESTION "Remove your settings in $INSTDIR\${SETTINGS} as well?" /SD IDNO IDNO keep
    !insertmacro ForEachSettingsFile DeleteSettingsFile $INSTDIR
    RMDir "$INSTDIR\${SETTINGS}"
keep:
    ; Only what the setup laid: anything else the user put in the folder stays.
    Push $INSTDIR
    Call un.RemoveLaid
    Delete "$INSTDIR\${LOG}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\uninstall.exe"
        Exec '"$INSTDIR\uninstall.exe" /CLEANUP'
    ${EndIf}
SectionEnd
