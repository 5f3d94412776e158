#!/usr/bin/env bash
# The program under a real window manager, openbox, which offers Minimise on every framed window
# whatever its hints say. Usage: window_manager_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh
work=$(mktemp -d)
trap 'for pid in ${app:-} ${wm:-}; do stop_process "$pid"; done; stop_virtual_display; rm -rf "$work"' EXIT

managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
active() { ! xprop -id "$1" _NET_WM_STATE | grep -q _HIDDEN && [[ "$(xdotool getactivewindow)" == "$1" ]]; }
# Motif functions: minimise 8, maximise 16.
no_min_max() { ((($(xprop -id "$1" _MOTIF_WM_HINTS | awk -F', ' '{ print $2 }') & 24) == 0)); }
centre() { xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
    /Width/ { w = $2 } /Height/ { h = $2 } END { print int(x + w / 2), int(y + h / 2) }'; }

start_virtual_display
HOME=$work openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
wait_until 10 managed || fail "openbox did not start: $(<"$work/openbox.log")"
lay_program_folder "$build_dir" "$work" "$build_dir/bin/glyphorbitaloscopex" 0 0 1 11111
use_x_display
"$work/glyphorbitaloscopex" &
app=$!
main=$(wait_for_window 'Glyphorbitaloscopex v1\.0' 20)
eval "$(xdotool getwindowgeometry --shell "$main")"

xdotool mousemove --window "$main" 20 $((HEIGHT - 8)) click 1 # the caption panel
dialog=$(wait_for_window 'Customize Status Bar' 10)
no_min_max "$dialog" || fail "the dialog's hints allow minimise or maximise"
# A request to minimise a window that openbox has not taken in yet is lost.
wait_until 10 active "$dialog" || fail "openbox did not activate the new dialog"
# The main window, activated by openbox, may bring the dialog back before a look could see it
# minimised; what openbox announces shows it was.
xprop -spy -id "$dialog" _NET_WM_STATE >"$work/states" &
spy=$!
wait_until 10 test -s "$work/states"
xdotool windowminimize "$dialog"
wait_until 10 grep -q _HIDDEN "$work/states" || fail "openbox did not minimise the dialog"
kill "$spy"
xdotool mousemove --window "$main" 100 100 click 1
wait_until 10 active "$dialog" || fail "after a click on the main window the dialog is minimised or inactive"
xdotool key --window "$dialog" alt+l
wait_until 10 no_window 'Customize Status Bar' || fail "Close left the dialog open"
wait_until 10 active "$main" || fail "the main window is not active again after the dialog"
xdotool key --window "$main" ctrl+d
wait_until 10 active "$(wait_for_window About 10)" || fail "the About window is not active"
xdotool key Escape
wait_until 10 active "$main" || fail "the main window is not active again after the About window"

xdotool mousemove --window "$main" $((WIDTH - 150)) $((HEIGHT - 8)) click 1 # the time panel
box=$(wait_for_window Time 10)
wait_until 10 active "$box" || fail "the box is not the active window"
read -r main_x main_y box_x box_y < <(echo "$(centre "$main") $(centre "$box")")
((main_x - box_x <= 4 && box_x - main_x <= 4 && main_y - box_y <= 4 && box_y - main_y <= 4)) ||
    fail "the box opened at $box_x,$box_y, not over the main window's centre $main_x,$main_y"
xdotool key Return
wait_until 10 no_window Time || fail "Return did not close the box"
wait_until 10 active "$main" || fail "the main window is not active again after the box"
xdotool key --window "$main" alt+x
wait_until 60 has_ended "$app" || fail "Alt+X did not end the program"
wait "$app" || fail "the program ended with status $?"
app=""
