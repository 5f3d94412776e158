#!/usr/bin/env bash
# The desktop entry, installed under a prefix full of characters that need
# quoting, is valid and makes a real launcher start the installed program.
# Usage: desktop_entry_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# % is left out although the entry escapes it as the format asks: GLib's
# launcher refuses to load any entry whose program path holds one.
prefix="$work/odd \$HOME \"quoted\" \`tick\` it's; here"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/com.example.glyphorbitaloscopex.desktop"
[[ -f "$entry" ]] || fail "no desktop entry at $entry"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"

# A stand-in for the program that reports the path it was started as.
program="$prefix/lib/glyphorbitaloscopex/glyphorbitaloscopex"
# shellcheck disable=SC2016  # $0 belongs to the stand-in
printf '#!/bin/sh\nprintf "%%s" "$0" >"%s/started"\n' "$work" >"$program"
gio launch "$entry" || fail "gio cannot launch $entry"
wait_until 10 test -s "$work/started" || fail "launching $entry started nothing"
[[ "$(<"$work/started")" == "$program" ]] ||
    fail "the entry started \"$(<"$work/started")\" instead of \"$program\""
echo "desktop entry valid and launchable"
