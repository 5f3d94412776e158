#!/usr/bin/env bash
# Builds the portable archive, unpacks it into a fresh folder and starts the
# program from there: it must hold one folder with the program and its
# settings, and the program must start on those settings.
# Usage: portable_archive_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh

work=$(mktemp -d)
pids=()
cleanup()
{
    local pid
    for pid in "${pids[@]}"; do
        stop_process "$pid"
    done
    rm -rf "$work"
}
trap cleanup EXIT

cpack -G TGZ --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" ||
    fail "cpack failed: $(<"$work/cpack.log")"
archives=("$work"/out/*.tar.gz)
[[ ${#archives[@]} -eq 1 && -f "${archives[0]}" ]] || fail "cpack made no single archive"

unpacked="$work/unpacked here"
mkdir "$unpacked"
tar -xzf "${archives[0]}" -C "$unpacked"
folders=("$unpacked"/*)
[[ ${#folders[@]} -eq 1 && -d "${folders[0]}" ]] || fail "the archive does not unpack to one folder"
folder=${folders[0]}
contents=$(cd "$folder" && find . -mindepth 1 | sort | paste -sd ' ')
expected="./AppFiles ./AppFiles/AppFile1.DLL ./AppFiles/AppFile2.DLL ./AppFiles/AppFile3.DLL ./AppFiles/AppFile4.DLL ./glyphorbitaloscopex"
[[ "$contents" == "$expected" ]] || fail "the archive holds \"$contents\", expected \"$expected\""
expect_settings "$folder/AppFiles" 1 1 1 11111

# The start reads the four files in order and stops at the first it cannot
# use, so a read of the last one shows the program found them all.
watch_log="$work/reads"
inotifywait -m -e close_nowrite --format %f "$folder/AppFiles" >"$watch_log" 2>"$work/watch.err" &
pids+=($!)
wait_until 10 grep -q "Watches established" "$work/watch.err" || fail "inotifywait did not start"

(cd / && QT_QPA_PLATFORM=offscreen exec "$folder/glyphorbitaloscopex") >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
wait_until 30 grep -q AppFile4.DLL "$watch_log" ||
    fail "the program did not read its settings; it read: $(paste -sd ' ' "$watch_log")"
[[ "$(paste -sd ' ' "$watch_log")" == "AppFile1.DLL AppFile2.DLL AppFile3.DLL AppFile4.DLL" ]] ||
    fail "the program read $(paste -sd ' ' "$watch_log") instead of the four files in order"
! has_ended "$program_pid" || fail "the program ended after reading its settings: $(<"$work/program.log")"
echo "the archive unpacks to one folder, and the program starts from it"
