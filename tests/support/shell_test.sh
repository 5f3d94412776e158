# shellcheck shell=bash
# Helpers for the tests written in shell; source scripts/lib.sh first.

# fail MESSAGE...
fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# has_ended PID
# True once PID no longer runs; a zombie not yet reaped counts as ended.
has_ended()
{
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 0
    [[ -z "$state" || "$state" == Z ]]
}

# use_x_display
# Sends the programs started from here to the X display, which an inherited "offscreen" would keep
# their windows off.
use_x_display()
{
    export QT_QPA_PLATFORM=xcb
}

# expect_settings FOLDER VALUE1 VALUE2 VALUE3 VALUE4
# The four settings files in FOLDER hold exactly these values, each with CR LF.
expect_settings()
{
    local folder=$1 number=1 value
    shift
    for value in "$@"; do
        local file="$folder/AppFile$number.DLL"
        [[ -f "$file" ]] || fail "$file is missing"
        cmp -s "$file" <(printf '%s\r\n' "$value") ||
            fail "$file should hold $value and CR LF, but holds:$(od -An -c "$file")"
        number=$((number + 1))
    done
}

# window_of TITLE
# Prints the id of a visible window titled exactly TITLE (an extended regular expression), if any.
window_of()
{
    { xdotool search --onlyvisible --name "^($1)\$" 2>/dev/null || true; } | head -n 1
}

no_window()
{
    [[ -z "$(window_of "$1")" ]]
}

# wait_for_window TITLE SECONDS [LOG [PID]]
# Prints the id of the window titled TITLE once it shows. A start that ends in a message box, or
# the end of PID, fails at once rather than after SECONDS; LOG, the program's output, says why.
wait_for_window()
{
    local log=${3:-/dev/null} i window
    for ((i = 0; i < $2 * 10; i++)); do
        window=$(window_of "$1")
        [[ -n "$window" ]] && echo "$window" && return 0
        [[ -z "${4:-}" ]] || ! has_ended "$4" || fail "the program ended: $(tail -n 30 "$log")"
        [[ "$1" == Error || -z "$(window_of 'Error|Reinstall')" ]] ||
            fail "a message showed instead of \"$1\": $(tail -n 30 "$log")"
        sleep 0.1
    done
    window=$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | paste -sd '|')
    fail "no window \"$1\" within $2 s; shown: $window; the program's output ends with: $(tail -n 30 "$log")"
}
