# shellcheck shell=bash
# Helpers shared by the scripts in this folder. Source it, do not run it:
#     source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Sourcing changes into the repository root, so every script works the same
# no matter where it was started from. Everything here is safe under
# `set -euo pipefail`.

# Package lists are space-separated, meant to be expanded unquoted:
#     ensure_packages $BUILD_PACKAGES
# Debian packages needed to build and test the program.
# shellcheck disable=SC2034  # used by the scripts that source this file
BUILD_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libxcb-xkb-dev libgtest-dev libgmock-dev libbenchmark-dev ccache clang-format shellcheck fonts-liberation2 fonts-rampart libxcb1-dev"
# The libFuzzer targets: clang with its fuzzer and sanitizer runtimes.
# shellcheck disable=SC2034
FUZZ_PACKAGES="clang libclang-rt-14-dev"
# Extra packages needed only to run the program without a real display.
# shellcheck disable=SC2034
RUN_PACKAGES="xvfb xauth x11-utils imagemagick"
# Extra packages needed by the tests that install the program and start it as
# a desktop and a shell would, and under a real window manager.
# shellcheck disable=SC2034
DESKTOP_TEST_PACKAGES="xvfb xauth x11-utils x11-xkb-utils xdotool desktop-file-utils appstream libglib2.0-bin inotify-tools openbox"
# Extra packages for bench/run: a virtual X server and a session bus to run the programs on, and
# the X libraries the side-by-side probe watches and drives them with.
# shellcheck disable=SC2034
BENCH_PACKAGES="xvfb dbus-daemon libx11-dev libxdamage-dev libxtst-dev"

# Resolved once, while BASH_SOURCE may still be a path relative to the
# caller's working directory.
GLYPH_REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)

# Prints the repository root: the directory above the one holding this file.
repo_root()
{
    printf '%s\n' "$GLYPH_REPO_ROOT"
}

# apt-get update is slow, so a script that installs twice only refreshes once.
_glyph_apt_updated=0

# ensure_packages PKG...
# Installs whichever of the given Debian packages are missing. Silent when
# everything is already there.
ensure_packages()
{
    local missing=() pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        if [[ "$status" != "install ok installed" ]]; then
            missing+=("$pkg")
        fi
    done
    ((${#missing[@]} == 0)) && return 0

    if ! command -v apt-get >/dev/null 2>&1; then
        echo "error: missing packages: ${missing[*]}" >&2
        echo "       apt-get was not found; please install them with your system's package manager." >&2
        return 1
    fi

    local sudo=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "error: missing packages: ${missing[*]}" >&2
            echo "       installing them needs root, and sudo is not available." >&2
            return 1
        fi
        sudo=(sudo)
    fi

    echo "Installing missing packages: ${missing[*]}"
    # apt's progress output is long and mostly noise; keep it for when it fails.
    local log
    log=$(mktemp)
    if ((_glyph_apt_updated == 0)); then
        if ! "${sudo[@]}" apt-get update >"$log" 2>&1; then
            cat "$log" >&2
            rm -f "$log"
            echo "error: apt-get update failed" >&2
            return 1
        fi
        _glyph_apt_updated=1
    fi
    if ! "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}" >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "error: could not install: ${missing[*]}" >&2
        return 1
    fi
    rm -f "$log"
}

# lay_program_folder BUILD_DIR FOLDER PROGRAM VALUE1 VALUE2 VALUE3 VALUE4
# Lays PROGRAM in FOLDER as the program, with its four settings files beside it, as the tree
# BUILD_DIR names them, holding these values, each with CR LF: a run there writes its settings
# there, not into the build.
lay_program_folder()
{
    local folder=$2 files i
    mapfile -t files <"$1/settings-files.txt"
    mkdir -p "$folder/${files[0]%/*}"
    cp "$3" "$folder/glyphorbitaloscopex"
    shift 3
    for ((i = 0; i < ${#files[@]}; i++)); do
        printf '%s\r\n' "${@:i+1:1}" >"$folder/${files[i]}"
    done
}

# stop_process PID
# Stops a child process politely, then firmly if it does not listen.
stop_process()
{
    local pid=$1 i
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < 10; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}

# wait_until SECONDS COMMAND...
# Runs COMMAND until it succeeds; fails once SECONDS have passed without that.
wait_until()
{
    local limit=$(($1 * 10)) i
    shift
    for ((i = 0; i < limit; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

_glyph_xvfb_pid=""
_glyph_xvfb_dir=""

# start_virtual_display
# Starts a private virtual X server (Xvfb) and points DISPLAY and XAUTHORITY
# at it; stop_virtual_display ends it. The server picks a free display number
# itself (-displayfd): guessing one from lock files races with any other
# server starting at the same moment. The server is then asked to prove it is
# ours: it must accept a fresh cookie that only it was given and refuse a
# client without one. Needs $RUN_PACKAGES.
start_virtual_display()
{
    _glyph_xvfb_dir=$(mktemp -d "${TMPDIR:-/tmp}/glyph-xvfb.XXXXXX")
    local dir=$_glyph_xvfb_dir cookie number="" i
    cookie=$(mcookie)
    : >"$dir/auth"
    : >"$dir/display"
    # The server loads every cookie in its file, whatever display it is listed under.
    xauth -q -f "$dir/auth" add :0 . "$cookie"
    # Without -noreset the server resets whenever its last client leaves, and
    # refuses whoever connects in that moment.
    Xvfb -displayfd 3 -auth "$dir/auth" -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$dir/display" >"$dir/log" 2>&1 &
    _glyph_xvfb_pid=$!

    # read succeeds only once the whole line, with its newline, is there.
    for ((i = 0; ; i++)); do
        read -r number <"$dir/display" && break
        if ! kill -0 "$_glyph_xvfb_pid" 2>/dev/null || ((i >= 100)); then
            echo "error: the virtual display (Xvfb) did not start; its output follows:" >&2
            cat "$dir/log" >&2
            return 1
        fi
        sleep 0.1
    done

    xauth -q -f "$dir/auth" add ":$number" . "$cookie"
    if ! DISPLAY=":$number" XAUTHORITY="$dir/auth" xdpyinfo >/dev/null 2>&1 ||
        DISPLAY=":$number" XAUTHORITY=/dev/null xdpyinfo >/dev/null 2>&1; then
        echo "error: the server on display :$number is not the virtual display just started." >&2
        return 1
    fi
    export DISPLAY=":$number" XAUTHORITY="$dir/auth"
}

# stop_virtual_display
# Ends the server that start_virtual_display started, if any. Safe to call
# from an EXIT trap whether or not the start got that far.
stop_virtual_display()
{
    if [[ -n "$_glyph_xvfb_pid" ]]; then
        stop_process "$_glyph_xvfb_pid"
        _glyph_xvfb_pid=""
    fi
    if [[ -n "$_glyph_xvfb_dir" ]]; then
        rm -rf "$_glyph_xvfb_dir"
        _glyph_xvfb_dir=""
    fi
}

# The window helpers below need xdotool; wait_for_window ends the run through the caller's own
# fail MESSAGE.

# has_ended PID
# True once PID no longer runs; a zombie not yet reaped counts as ended.
has_ended()
{
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 0
    [[ -z "$state" || "$state" == Z ]]
}

# window_of TITLE
# Prints the id of a visible window titled exactly TITLE (an extended regular expression), if any.
window_of()
{
    { xdotool search --onlyvisible --name "^($1)\$" 2>/dev/null || true; } | head -n 1
}

# no_window TITLE
# True while no visible window is titled TITLE.
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

# configure_and_build PRESET [cmake options...]
# Configures the tree of PRESET in CMakePresets.json, which holds every build option and the
# compiler cache, with the given options on top, and builds it.
configure_and_build()
{
    cmake --preset "$1" "${@:2}"
    cmake --build --preset "$1"
}

# export_test_environment PRESET
# Exports the environment that the test preset PRESET gives CTest, the sanitizers' options, for a
# program that runs outside CTest.
export_test_environment()
{
    local lines line
    lines=$(cmake -DPRESET="$1" -P cmake/TestPresetEnvironment.cmake) || return 1
    while IFS= read -r line; do
        [[ -n "$line" ]] && export "${line?}"
    done <<<"$lines"
}

cd "$(repo_root)" || return 1
