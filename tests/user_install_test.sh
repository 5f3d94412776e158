#!/usr/bin/env bash
# Installs for a user whose home is a fresh folder, starts the program as the
# desktop's menu and the shell would, exits it as a user does, updates it,
# and uninstalls it, checking the settings at every step.
# Usage: user_install_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh

# The blank and the $ make sure no step splits or expands the path.
HOME=$(mktemp -d "${TMPDIR:-/tmp}/glyph home \$x.XXXXXX")
export HOME
use_x_display
program_dir="$HOME/.local/lib/glyphorbitaloscopex"
program="$program_dir/glyphorbitaloscopex"
settings="$program_dir/$(dirname "$(head -n 1 "$build_dir/settings-files.txt")")"
record="$program_dir/settings-files.txt"
link="$HOME/.local/bin/glyphorbitaloscopex"
entry="$HOME/.local/share/applications/com.example.glyphorbitaloscopex.desktop"

pid=""
cleanup()
{
    [[ -n "$pid" ]] && stop_process "$pid"
    stop_virtual_display
    rm -rf "$HOME"
}
trap cleanup EXIT

install_quietly()
{
    ./scripts/install --build-dir "$build_dir" </dev/null >"$HOME/install.log" ||
        fail "./scripts/install failed: $(<"$HOME/install.log")"
}

# Ends the program through its Exit button, as a user would (Alt+X), so that
# it writes its settings, and waits until it is gone.
exit_program()
{
    xdotool windowfocus --sync "$1" key alt+x
    wait_until 60 has_ended "$pid" || fail "the program did not end after Alt+X"
    wait "$pid" 2>/dev/null || true
    pid=""
}

install_quietly
for path in "$program" "$entry" "$HOME/.local/share/metainfo/com.example.glyphorbitaloscopex.metainfo.xml" \
    "$HOME"/.local/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128}/apps/com.example.glyphorbitaloscopex.png; do
    [[ -f "$path" ]] || fail "install laid no $path"
done
[[ "$(readlink -f "$link")" == "$program" ]] || fail "$link does not lead to $program"
expect_settings "$settings" 1 1 1 11111
desktop-file-validate "$entry" || fail "the installed desktop entry is not valid"

start_virtual_display

# From the menu: a real launcher reads the entry's Exec line. A first run.
gio launch "$entry" >"$HOME/menu.log" 2>&1 || fail "gio cannot launch $entry"
window=$(wait_for_window 'Glyphorbitaloscopex v1\.0' 60 "$HOME/menu.log")
pid=$(xdotool getwindowpid "$window")
[[ "$(readlink "/proc/$pid/exe")" == "$program" ]] ||
    fail "the menu started $(readlink "/proc/$pid/exe"), not $program"
# Docks match the window to the entry by its class on X11.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
window_class=$(xprop -id "$window" WM_CLASS)
[[ "$window_class" == *", \"$wm_class\"" ]] ||
    fail "the window's class ($window_class) is not the entry's $wm_class"
[[ "$(xprop -id "$window" _NET_WM_ICON)" == *"Icon (128 x 128)"* ]] || fail "the window shows no icon"
# The user picks the other mode, which only the settings files carry to the next start.
xdotool windowfocus --sync "$window" key ctrl+F2
exit_program "$window"
expect_settings "$settings" 0 0 1 11111

# An update keeps the user's settings.
install_quietly
grep -q "settings .* were kept" "$HOME/install.log" || fail "the update did not say it kept the settings"
expect_settings "$settings" 0 0 1 11111

# From the shell, through the link: the program must find its settings beside
# its real path, not beside the link, or it would end with "Reinstall".
(cd / && exec "$link") >"$HOME/shell.log" 2>&1 &
pid=$!
window=$(wait_for_window 'Glyphorbitaloscopex v1\.0' 60 "$HOME/shell.log" "$pid")
if ./scripts/install --uninstall </dev/null >"$HOME/uninstall.log" 2>&1; then
    fail "uninstall went ahead while the program was running"
fi
[[ -x "$program" ]] || fail "a refused uninstall removed the program"
exit_program "$window"
expect_settings "$settings" 0 0 1 11111

# Without a terminal to ask, uninstall removes the program and keeps the settings. It names the
# build's compiler cache, which it leaves.
cache="$HOME/.cache/glyphorbitaloscopex/ccache"
mkdir -p "$cache" && head -c 3141632 /dev/zero >"$cache/object"
XDG_CACHE_HOME="" ./scripts/install --uninstall </dev/null >"$HOME/uninstall.log" || fail "uninstall failed"
grep -q "Kept your settings" "$HOME/uninstall.log" || fail "uninstall did not say it kept the settings"
grep -qxF "The build's compiler cache stays in $cache (3.0 MB); to remove it: rm -r $(printf %q "$cache")" \
    "$HOME/uninstall.log" || fail "uninstall did not name the compiler cache: $(<"$HOME/uninstall.log")"
expect_settings "$settings" 0 0 1 11111
leftovers=$(find "$HOME/.local" -type f -o -type l | grep -vF -e "$settings/" -e "$record" || true)
[[ -z "$leftovers" ]] || fail "uninstall left: $leftovers"

# Asked on a terminal, the user agrees to remove the settings too, by the names the install
# recorded: a damaged record removes nothing, and what else the user keeps in the folder stays.
uninstall_agreeing()
{
    printf 'y\n' | script -qec "./scripts/install --uninstall" /dev/null >"$HOME/uninstall.log" ||
        fail "uninstall on a terminal failed: $(<"$HOME/uninstall.log")"
}
cp "$record" "$HOME/record" && echo ../../kept >>"$record" && touch "$HOME/.local/kept"
uninstall_agreeing
rm "$HOME/.local/kept" || fail "uninstall followed a damaged record out of its folder"
expect_settings "$settings" 0 0 1 11111
cp "$HOME/record" "$record" && touch "$settings/notes.txt"
uninstall_agreeing
leftovers=$(find "$HOME/.local" -type f -o -type l)
[[ "$leftovers" == "$settings/notes.txt" ]] || fail "uninstall left: $leftovers"
echo "installed, started from the menu and the shell, updated and uninstalled"
