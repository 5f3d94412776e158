#!/usr/bin/env bash
# Packs the Windows zip, unpacks it into a folder whose name has a space and a letter outside
# ASCII, and drives the program from there under Wine on a virtual display, as a user would: a
# first run's welcome window, keys in both modes, the status bar hidden and shown again, the About
# window opened and closed, then Alt+X. The four settings files beside the .exe must then hold the
# user's choices. Nothing outside the unpacked folder is on Wine's path, so a DLL missing from the
# zip fails the start.
# Usage: windows_program_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh

work=$(mktemp -d)
wine_sh="$(repo_root)/scripts/wine.sh"
prefix="$work/prefix"
pid=""
cleanup()
{
    [[ -n "$pid" ]] && stop_process "$pid"
    "$wine_sh" remove "$prefix" || true
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT

cpack --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" ||
    fail "cpack failed: $(<"$work/cpack.log")"
unpacked="$work/unpacked here ä"
version=$(<"$build_dir/version.txt")
unzip -q "$work/out/glyphorbitaloscopex-$version-win64.zip" -d "$unpacked"
folder="$unpacked/glyphorbitaloscopex-$version-win64"
expected=$(printf '%s\n' AppFiles AppFiles/AppFile{1,2,3,4}.DLL LICENSE-Qt-GPL-3.txt \
    LICENSE-Qt-LGPL-3.txt LICENSE.txt QT-SOURCE.txt THIRD-PARTY-NOTICES.txt Qt6Core.dll \
    Qt6Gui.dll Qt6Widgets.dll glyphorbitaloscopex.exe libgcc_s_seh-1.dll libstdc++-6.dll \
    libwinpthread-1.dll platforms platforms/qwindows.dll styles styles/qwindowsvistastyle.dll | sort)
expect_files() # WHAT FOLDER EXPECTED [FIND_TEST...]
{
    local actual
    actual=$(find "$2" -mindepth 1 "${@:4}" -printf '%P\n' 2>&1 | sort) || true
    [[ "$actual" == "$3" ]] || fail "$1: $(paste -sd ' ' <<<"$actual")"
}
expect_files "the zip holds" "$folder" "$expected"
expect_settings "$folder/AppFiles" 1 1 1 11111
# The notices name the runtime and Qt's entry point linked into the program; the source beside the
# release holds what Debian's .dsc of Qt names and this program's own.
for notice in "License: ZPL-2.1" "License: Lucent" "src/entrypoint/qtentrypoint_win.cpp"; do
    grep -qF "$notice" "$folder/THIRD-PARTY-NOTICES.txt" || fail "the notices lack $notice"
done
archive="$build_dir/glyphorbitaloscopex-$version-source.tar"
listing=$(tar -tf "$archive" | sed 's|^[^/]*/||') || fail "no source archive beside the zip"
dsc=$(tar -xOf "$archive" --wildcards '*.dsc') || fail "the source archive holds no .dsc"
for file in $(sed -n '/^Files:/,/^[^ ]/s/^ [0-9a-f]* [0-9]* //p' <<<"$dsc") QT-SOURCE.txt; do
    grep -qxF "$file" <<<"$listing" || fail "the source archive lacks $file: $listing"
done
grep -qE '^glyphorbitaloscopex-[0-9a-f]{12}\.tar\.gz$' <<<"$listing" ||
    fail "the source archive lacks the program's own: $listing"

start_virtual_display
"$wine_sh" create-display "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all
unset WINEPATH
windows_path() { "$wine_sh" show "$prefix" winepath -w "$1"; }

# Wine's loader says which DLLs the program loads: Qt loads a style plugin only to draw with it.
(cd "$work" && GLYPH_WINEDEBUG=-all,+loaddll exec "$wine_sh" show "$prefix" "$folder/glyphorbitaloscopex.exe") \
    >"$work/program.log" 2>&1 &
pid=$!
wait_for_window Welcome 60 "$work/program.log" "$pid" >/dev/null
main=$(wait_for_window "Glyphorbitaloscopex v1.0" 60 "$work/program.log" "$pid")
grep -q 'Loaded .*styles.*qwindowsvistastyle\.dll' "$work/program.log" ||
    fail "the program runs without the native style plugin"
wait_until 10 no_window Welcome || fail "the welcome window stayed after handing over"

# The result box, selected and copied, shows what the typed keys reached.
result_is()
{
    xdotool windowfocus --sync "$main" key ctrl+a ctrl+c &&
        [[ "$(xclip -o -selection clipboard 2>/dev/null)" == "$1" ]]
}
xdotool windowfocus --sync "$main" type 'Az'
xdotool windowfocus --sync "$main" key Tab
wait_until 10 result_is 122 || fail "Az in character mode did not show 122"
xdotool windowfocus --sync "$main" key ctrl+F2
xdotool windowfocus --sync "$main" type '65'
xdotool windowfocus --sync "$main" key Tab
wait_until 10 result_is A || fail "65 in code mode did not show A"
# The bar is 300 twips, 20 pixels at Wine's 96 dpi; each animation ends exactly on its bound.
height_is() { eval "$(xdotool getwindowgeometry --shell "$main")" && ((HEIGHT == $1)); }
eval "$(xdotool getwindowgeometry --shell "$main")"
with_bar=$HEIGHT
xdotool windowfocus --sync "$main" key alt+v Return
wait_until 10 height_is $((with_bar - 20)) ||
    fail "hiding the status bar left the window $HEIGHT high, not $((with_bar - 20))"
xdotool windowfocus --sync "$main" key alt+v Return
wait_until 10 height_is "$with_bar" ||
    fail "showing the status bar again left the window $HEIGHT high, not $with_bar"

xdotool windowfocus --sync "$main" key ctrl+d
about=$(wait_for_window About 20)
xdotool windowfocus --sync "$about" key Escape
wait_until 20 no_window About || fail "Esc did not close the About window"

xdotool windowfocus --sync "$main" key alt+x
wait_until 60 has_ended "$pid" || fail "the program did not end after Alt+X"
wait "$pid" || fail "the program ended with status $?: $(<"$work/program.log")"
pid=""
expect_settings "$folder/AppFiles" 0 0 1 11111
echo "the zip's program ran under Wine: welcome, both modes, the status bar, About and exit"

# The same folder read-only (a mount: root ignores permission bits). The exit names it and where
# to move the program; each file keeps its value, with a blank in front that no exit writes.
sed -i 's/^/ /' "$folder"/AppFiles/AppFile?.DLL
if { mount --bind "$folder" "$folder" && trap 'umount -l "$folder"; cleanup' EXIT &&
    mount -o remount,bind,ro "$folder"; } 2>/dev/null; then
    (cd "$work" && exec "$wine_sh" show "$prefix" "$folder/glyphorbitaloscopex.exe") &>/dev/null &
    xdotool windowfocus --sync "$(wait_for_window "Glyphorbitaloscopex v1.0" 60)" key alt+x
    # Ctrl+C copies a message box's text, as on Windows.
    xdotool windowfocus --sync "$(wait_for_window Error 30)" key ctrl+c
    advice="Move the program's folder to a folder you own, such as your own folder under %LOCALAPPDATA%\\Programs, where the setup installs it."
    message="$(windows_path "$folder/AppFiles"). $advice"
    # Until the copy arrives, the clipboard still holds the result box's text.
    copied() { text=$(xclip -o -selection clipboard 2>/dev/null) && [[ "$text" == *"$message"* ]]; }
    wait_until 10 copied || fail "the message box's text, as copied, lacks the folder or the advice: $text"
    stop_process "$!"
    umount -l "$folder"
    trap cleanup EXIT
    expect_settings "$folder/AppFiles" ' 0' ' 0' ' 1' ' 11111'
else
    echo "SKIP: the read-only program folder, since mounting is not permitted here"
fi

# The setup, silently into a folder whose name has a space and letters outside Windows-1252.
cp "$build_dir/glyphorbitaloscopex-$version-win64-setup.exe" "$work/setup.exe" ||
    fail "no setup was made in $build_dir"
format=$(x86_64-w64-mingw32-objdump -f "$work/setup.exe")
[[ "$format" == *"file format pei-x86-64"* ]] || fail "the setup is not a 64-bit program: $format"
install_dir='C:\Programme für Ω 日本'
installed="$prefix/drive_c/Programme für Ω 日本"
shortcut="$prefix/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Glyphorbitaloscopex.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glyphorbitaloscopex'
# The setup takes the rest of its command line after /D= as the folder, unquoted, and so does the
# uninstaller after _?=, which Wine's quoting of a Unix argument with a space would break; a
# variable passes untouched. Wine starts programs elevated, as "Run as administrator" would; this
# launcher starts the line with the limited half of that token, as Explorer would.
makensis -V1 "-XOutFile $work/limited.exe" - <<'EOF'
Target amd64-unicode
SilentInstall silent
Section
    ReadEnvStr $0 GLYPH_LINE
    System::Call 'advapi32::OpenProcessToken(p -1, i 8, *p .r1)'
    System::Call 'advapi32::GetTokenInformation(p r1, i 19, *p .r1, i 8, *i)'
    System::Call '*(i 104, &i100) p .r2'
    System::Call '*(p, p, i, i) p .r3'
    System::Call 'advapi32::CreateProcessAsUserW(p r1, p 0, w r0, p 0, p 0, i 0, i 0, p 0, p 0, p r2, p r3)'
    System::Call '*$3(p .r4)'
    System::Call 'kernel32::WaitForSingleObject(p r4, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r4, *i .r5)'
    SetErrorLevel $5
SectionEnd
EOF
run_elevated() { GLYPH_LINE=$1 "$wine_sh" show "$prefix" cmd /c %GLYPH_LINE% >>"$work/setup.log" 2>&1; }
run_as_user() { GLYPH_LINE=$1 "$wine_sh" show "$prefix" "$work/limited.exe" >>"$work/setup.log" 2>&1; }
expect_status() # CODE COMMAND_LINE [RUN]
{
    local status=0
    "${3:-run_as_user}" "$2" || status=$?
    ((status == $1)) || fail "$2 ended with $status, not $1: $(<"$work/setup.log")"
}
wine_ended() { timeout 60 wineserver -w || fail "the prefix's programs had not ended after 60 s"; }
install_silently()
{
    run_as_user "$(windows_path "$work/setup.exe") /S /D=${1:-$install_dir}" ||
        fail "the setup failed: $(<"$work/setup.log")"
    wine_ended
}

# A fresh prefix plays Windows 7; 10 before 1809 is refused too, and 10 on ARM, by setups built to
# see them.
"$wine_sh" show "$prefix" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
refused_on() # NAME DEFINE...
{
    makensis -V1 -DSTAGE="$build_dir/setup-stage/glyphorbitaloscopex-$version-win64" -DVERSION="$version" \
        -DICON="$(repo_root)/resources/icons/app.ico" -DOUTFILE="$work/setup-$1.exe" \
        "${@:2}" "$(repo_root)/packaging/windows/setup.nsi"
    expect_status 2 "$(windows_path "$work/setup-$1.exe") /S /D=$install_dir"
    [[ ! -e "$installed" ]] || fail "the setup refused $1 but laid files"
}
refused_on 1803 -DTEST_WINDOWS_BUILD=17134
refused_on ARM-19045 -DTEST_WINDOWS_BUILD=19045 -DTEST_NATIVE_MACHINE=0xAA64
# A folder nobody may write in, root included (Wine shows / as Z:), ends in ERROR_ACCESS_DENIED;
# run elevated, the setup ends in ERROR_NOT_SUPPORTED.
expect_status 5 "$(windows_path "$work/setup.exe") /S /D=Z:\proc\Glyphorbitaloscopex"
expect_status 50 "$(windows_path "$work/setup.exe") /S /D=$install_dir" run_elevated

install_silently
expect_files "the setup laid" "$installed" "$(sort <<<"$expected"$'\n'uninstall.exe$'\n'uninstall.files)"
# Windows resolves a shortcut by its UTF-16 item list; Wine by its ANSI path, lossy for this name.
hex() { od -An -tx1 | tr -d ' \n'; }
hex <"$shortcut" | grep -q "$(printf 'Programme für Ω 日本' | iconv -f UTF-8 -t UTF-16LE | hex)" ||
    fail "no Start-menu shortcut that names the folder"
key=$("$wine_sh" show "$prefix" reg query "$uninstall_key" 2>/dev/null | tr -d "\r")  # in the console code page
for value in "DisplayName.*Glyphorbitaloscopex" "DisplayVersion.*1\.0\.0" \
    "Publisher.*Quillmark Software" "EstimatedSize.*0x[1-9a-f]" "InstallLocation.*Programme f.r" \
    'QuietUninstallString.*uninstall\.exe" /S _?=C:\\Programme f.r'; do
    LC_ALL=C grep -q "$value" <<<"$key" || fail "the uninstall key lacks $value: $key"
done

# Started from its folder, a first run; the exit writes the settings beside the program.
"$wine_sh" show "$prefix" start /unix "$installed/glyphorbitaloscopex.exe" >>"$work/setup.log" 2>&1
main=$(wait_for_window "Glyphorbitaloscopex v1.0" 60)
# Meanwhile the setup and the uninstaller refuse with ERROR_SHARING_VIOLATION, and leave the
# files, the shortcut and the key.
# A folder's times change with the setup's try at writing in it, which the refusal follows.
installed_state() { find "$installed" "$shortcut" -type d -printf '%p\n' -o -printf '%p %s %C@\n' |
    sort && "$wine_sh" show "$prefix" reg query "$uninstall_key"; }
before=$(installed_state)
expect_status 32 "$(windows_path "$work/setup.exe") /S /D=$install_dir"
expect_status 32 "\"$install_dir\\uninstall.exe\" /S _?=$install_dir"
[[ "$(installed_state)" == "$before" ]] || fail "a refusal changed the install"
xdotool windowfocus --sync "$main" key alt+x
wine_ended
expect_settings "$installed/AppFiles" 0 1 1 11111

# An update keeps them; a silent uninstall keeps them too and removes the rest and the key.
# The update removes what the install before it recorded and it no longer ships, but not what the
# record names outside the folder or among the settings.
mkdir "$installed/imageformats"
touch "$installed/imageformats/qjpeg.dll" "$prefix/drive_c/outside.txt"
printf 'imageformats\\qjpeg.dll\r\nimageformats\r\n..\\outside.txt\r\nAppFiles\\AppFile1.DLL\r\n' |
    iconv -t UTF-16LE >>"$installed/uninstall.files"
install_silently
[[ ! -e "$installed/imageformats" && -f "$prefix/drive_c/outside.txt" ]] ||
    fail "the update kept what it no longer ships, or removed a file outside its folder"
expect_settings "$installed/AppFiles" 0 1 1 11111
# An install into another folder, one that holds another program, goes into a folder of its own
# there and leaves that program's DLL as it was; it takes the settings along and removes the copy
# here, all but what the user put beside it.
touch "$installed/notes.txt"
install -D "$work/limited.exe" "$installed 2/Qt6Core.dll"
install_silently "$install_dir 2"
expect_files "the install elsewhere left" "$installed" notes.txt
cmp -s "$work/limited.exe" "$installed 2/Qt6Core.dll" || fail "the setup changed another program's DLL"
install_dir+=' 2\Glyphorbitaloscopex'
installed+=" 2/Glyphorbitaloscopex"
expect_settings "$installed/AppFiles" 0 1 1 11111
# The quiet uninstall that the key names returns once the files are gone, keeping the settings;
# the uninstaller's own file goes once it has ended.
expect_status 0 "\"$install_dir\\uninstall.exe\" /S _?=$install_dir"
expect_files "the uninstall left" "$installed" "$(printf '%s\n' AppFiles AppFiles/AppFile{1,2,3,4}.DLL)" \
    ! -name uninstall.exe
wait_until 20 test ! -e "$installed/uninstall.exe" || fail "the uninstaller stayed"
[[ ! -e "$shortcut" ]] || fail "the uninstall left the shortcut"
if "$wine_sh" show "$prefix" reg query "$uninstall_key" >/dev/null 2>&1; then
    fail "the uninstall left its key"
fi
# Installed there again (the settings make the folder its own), then uninstalled with Yes to the
# question: the settings go, by name, and a file the user put beside them stays.
install_silently "$install_dir"
touch "$installed/AppFiles/notes.txt"
run_as_user "\"$install_dir\\uninstall.exe\"" &
# The uninstaller's caption ends in a blank; the question's does not.
xdotool windowfocus --sync "$(wait_for_window 'Glyphorbitaloscopex Uninstall ' 30)" key Return
xdotool windowfocus --sync "$(wait_for_window 'Glyphorbitaloscopex Uninstall' 30)" key Return
wait_until 30 test ! -e "$installed/uninstall.exe" || fail "the uninstall did not end"
expect_files "the uninstall with the settings left" "$installed" "$(printf '%s\n' AppFiles AppFiles/notes.txt)"
echo "the setup refused what it must, installed, updated and uninstalled under Wine"
