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
BUILD_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev clang-format fonts-liberation2"
# Extra packages needed only to run the program without a real display.
# shellcheck disable=SC2034
RUN_PACKAGES="xvfb xauth x11-utils imagemagick"
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

# configure_and_build DIR [extra cmake args...]
configure_and_build()
{
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir"
}

cd "$(repo_root)" || return 1
