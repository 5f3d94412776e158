# shellcheck shell=bash
# Helpers for the tests written in shell; source scripts/lib.sh first, whose window helpers
# fail through the fail here.

# fail MESSAGE...
fail()
{
    echo "FAIL: $*" >&2
    exit 1
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
