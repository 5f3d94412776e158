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
# their windows off. libxkbcommon-x11 hands strndup names that end at the given length, not at a
# NUL; strict string checks would abort the sanitizer build inside it.
use_x_display()
{
    export QT_QPA_PLATFORM=xcb
    [[ -z "${ASAN_OPTIONS:-}" ]] || export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
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
