#!/usr/bin/env bash
# Packs the program twice from the same source, the second time from a tree of its own built
# later, with another umask and time zone, and compares the packages byte for byte: a
# time, an order or a right of this machine that slips into a package fails here.
# `./scripts/build-windows --verify` does the same from a fresh clone for every artifact.
# Usage: reproducible_package_test.sh BUILD_DIR PRESET TARGET..., the targets the packages hold
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh

# Beside the tree, at its depth, so that the compiler cache serves the second build.
again="$(repo_root)/build-$2-again"
work=$(mktemp -d)
trap 'rm -rf "$work" "$again"' EXIT

pack() # TREE OUT
{
    cpack --config "$1/CPackConfig.cmake" -B "$2" >"$work/cpack.log" ||
        fail "cpack failed in $1: $(<"$work/cpack.log")"
}

pack "$build_dir" "$work/first"
qt=$(sed -n 's/^GLYPH_WINDOWS_QT:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
(
    umask 077
    # Not another locale: the compiler cache would compile everything again for it.
    export TZ=Pacific/Chatham
    cmake --preset "$2" -B "$again" ${qt:+-DGLYPH_WINDOWS_QT="$qt"} \
        -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >"$work/build.log" 2>&1 &&
        cmake --build "$again" --target "${@:3}" >>"$work/build.log" 2>&1 &&
        pack "$again" "$work/second"
) || fail "the second build failed: $(tail -n 30 "$work/build.log")"

for package in "$work"/first/*.{zip,tar.gz}; do
    [[ -f "$package" ]] || continue
    cmp "$package" "$work/second/${package##*/}" ||
        fail "${package##*/} differs between two builds of the same source: $(
            diffoscope --text - "$package" "$work/second/${package##*/}" 2>&1 | head -n 40)"
    echo "${package##*/}: the same bytes from both builds"
done
