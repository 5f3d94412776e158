#!/usr/bin/env bash
# The program under a real window manager (openbox), which offers Minimise on every window with
# a title bar whatever its hints say: the hints the Customize dialog gives, the dialog brought
# back restored once minimised, and a message box opened over the window it belongs to.
# Usage: window_manager_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh

work=$(mktemp -d)
app="" wm=""
cleanup()
{
    [[ -n "$app" ]] && stop_process "$app"
    [[ -n "$wm" ]] && stop_process "$wm"
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
back() { ! xprop -id "$1" _NET_WM_STATE | grep -q _HIDDEN && [[ "$(xdotool getactivewindow)" == "$1" ]]; }
# The middle of a window's client area, where X11 has it on the screen.
centre() { xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
    /Width/ { w = $2 } /Height/ { h = $2 } END { print int(x + w / 2), int(y + h / 2) }'; }
near() { (($1 - $2 <= 4 && $2 - $1 <= 4)); }

start_virtual_display
HOME=$work openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
wait_until 10 managed || fail "openbox did not start: $(<"$work/openbox.log")"

mkdir "$work/AppFiles"
cp "$build_dir/bin/glyphorbitaloscopex" "$work/"
printf '0\r\n' >"$work/AppFiles/AppFile1.DLL"
printf '0\r\n' >"$work/AppFiles/AppFile2.DLL"
printf '1\r\n' >"$work/AppFiles/AppFile3.DLL"
printf '11111\r\n' >"$work/AppFiles/AppFile4.DLL"
QT_QPA_PLATFORM=xcb "$work/glyphorbitaloscopex" &
app=$!
wait_until 20 visible 'Glyphorbitaloscopex v1.0' >/dev/null || fail "no main window"
main=$(visible 'Glyphorbitaloscopex v1.0')
eval "$(xdotool getwindowgeometry --shell "$main")"

# The caption panel, bottom left.
xdotool mousemove --window "$main" 20 $((HEIGHT - 8)) click 1
wait_until 10 visible '^Customize Status Bar$' >/dev/null || fail "the Customize dialog did not open"
dialog=$(visible '^Customize Status Bar$')
# Motif functions: resize 2, move 4, minimise 8, maximise 16, close 32.
functions=$(xprop -id "$dialog" _MOTIF_WM_HINTS | awk -F', ' '{ print $2 }')
(((functions & 24) == 0)) || fail "the dialog's hints allow minimise or maximise ($functions)"

xdotool windowminimize "$dialog"
# Openbox hands the activation to the main window, which may bring the dialog back before a
# look at it could see it minimised; what the window manager announces shows it was.
xprop -spy -id "$dialog" _NET_WM_STATE >"$work/states" &
spy=$!
wait_until 10 test -s "$work/states"
xdotool windowminimize "$dialog"
wait_until 10 grep -q _NET_WM_STATE_HIDDEN "$work/states" || fail "openbox did not minimise the dialog"
kill "$spy"
xdotool mousemove --window "$main" 100 100 click 1
wait_until 10 back "$dialog" || fail "the dialog is still minimised or not active after a click on the main window"
xdotool key --window "$dialog" alt+l
wait_until 10 eval '[[ -z "$(visible "^Customize Status Bar$")" ]]' || fail "Close left the dialog open"

# The time panel, second from the right.
xdotool mousemove --window "$main" $((WIDTH - 150)) $((HEIGHT - 8)) click 1
wait_until 10 visible '^Time$' >/dev/null || fail "a click on the time panel showed no box"
box=$(visible '^Time$')
read -r main_x main_y < <(centre "$main")
read -r box_x box_y < <(centre "$box")
near "$main_x" "$box_x" && near "$main_y" "$box_y" ||
    fail "the box opened at $box_x,$box_y, not over the main window's centre $main_x,$main_y"
wait_until 10 eval '[[ "$(xdotool getactivewindow)" == "$box" ]]' || fail "the box is not the active window"
xdotool key Return
xdotool key --window "$main" alt+x
wait_until 10 has_ended "$app" || fail "Alt+X did not end the program"
wait "$app" || fail "the program ended with status $?"
app=""
echo "hints, restore from minimised and the box's place hold under openbox"
