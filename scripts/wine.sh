#!/usr/bin/env bash
# Runs the Windows test programs under Wine, headless and in a prefix of their own:
#     wine.sh create PREFIX                 a fresh prefix, before the first test
#     wine.sh run PREFIX PROGRAM [ARGS...]  one test program (CTest's cross-compiling emulator)
#     wine.sh remove PREFIX                 ends the prefix's Wine processes and deletes it
#     wine.sh create-display PREFIX         a fresh prefix whose windows show on $DISPLAY
#     wine.sh show PREFIX PROGRAM [ARGS...] one program in such a prefix
#     wine.sh check                         fails with one line unless the loader starts here
#     wine.sh loader                        prints the loader, for a program that takes its path
set -euo pipefail

usage()
{
    echo "usage: wine.sh create|create-display|run|show|remove PREFIX [PROGRAM ARGS...]" >&2
    echo "       wine.sh check|loader" >&2
    exit 2
}

# Every program is 64-bit and these machines run no 32-bit code; once 32-bit Wine is installed,
# Debian's wine, wineboot and winepath wrappers take its loader even for a 64-bit program. So
# each call goes to the 64-bit loader by name, and WINELOADER tells Wine's own child processes.
export WINELOADER=${GLYPH_WINE_LOADER:-/usr/lib/wine/wine64}
wine() { "$WINELOADER" "$@"; }

# Whether the loader starts is asked first, so that a machine without it fails with one line.
check_loader()
{
    local said
    if ! said=$("$WINELOADER" --version 2>&1); then
        echo "error: Wine's 64-bit loader $WINELOADER (Debian package wine64) cannot start here: ${said:-no answer}" >&2
        exit 1
    fi
}

(($# >= 1)) || usage
mode=$1
case $mode in
check)
    check_loader
    exit 0
    ;;
loader)
    printf '%s\n' "$WINELOADER"
    exit 0
    ;;
esac
(($# >= 2)) || usage
export WINEPREFIX=$2
shift 2

# Without a display Wine still runs console programs; an inherited one would open windows on it.
if [[ $mode != create-display && $mode != show ]]; then
    unset DISPLAY WAYLAND_DISPLAY
fi
# GLYPH_WINEDEBUG: Wine's debug channels for a look inside, silent when unset.
export WINEDEBUG=${GLYPH_WINEDEBUG:--all}
# Keeps Wine from offering to install its .NET and HTML engines, a prompt nobody would answer,
# and from copying the shortcuts a setup makes into the desktop's own menu.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes the ANSI code page from the locale: this one gives Windows-1252, and unlike a locale
# that is not installed (which falls back to ASCII) it lets file names hold any character.
unset LC_ALL LC_CTYPE LC_MESSAGES
export LANG=C.UTF-8

# GLYPH_WINE_DLL_PATH: folders, as in PATH, where Wine finds the DLLs that the programs were
# linked against.
if [[ -n "${GLYPH_WINE_DLL_PATH:-}" ]]; then
    WINEPATH=$(sed 's|:/|;Z:/|g; s|^|Z:|' <<<"$GLYPH_WINE_DLL_PATH")
    export WINEPATH
fi

# Ends the prefix's server and every Windows process still running in it, then deletes it.
remove_prefix()
{
    if [[ -d "$WINEPREFIX" ]]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    rm -rf "$WINEPREFIX" "$WINEPREFIX.log"
}

# Makes a fresh prefix; the output of the server and of the services it starts must not hold
# CTest's pipes open. The server ends with the prefix's last program, so that wineserver -w
# waits for the programs, not for a server lingering after them.
create_prefix()
{
    check_loader
    remove_prefix
    mkdir -p "$WINEPREFIX"
    wineserver </dev/null >/dev/null 2>&1
    if ! wine wineboot --init </dev/null >"$WINEPREFIX.log" 2>&1; then
        cat "$WINEPREFIX.log" >&2
        exit 1
    fi
    rm -f "$WINEPREFIX.log"
}

case $mode in
create-display)
    create_prefix
    # Wine has no Arial, which the windows are designed in; Debian's metric twin stands in.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f \
        </dev/null >/dev/null 2>&1
    ;;
create)
    create_prefix
    # Without a display Wine refuses to make windows at all; its null driver makes them, unseen,
    # so that the tests can show that nothing of ours opens one. The desktop holds on to the
    # driver it started with: the server starts again, and the desktop with it, here, where it
    # cannot hold CTest's pipes open as it would if a test started it. It lingers between the
    # test programs, so that none pays for starting it.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    wineserver -k
    wineserver -w
    wineserver -p30 </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1
    ;;
run | show)
    exec wine "$@"
    ;;
remove)
    remove_prefix
    ;;
*)
    usage
    ;;
esac
