# shellcheck shell=bash
# Qt 6 for Windows, cross-built once from Debian's own qt6-base source and kept in a cache
# outside the tree. Source it after lib.sh; ensure_windows_qt prints the folder Qt is in.
#
# Debian packages no Qt for Windows, so we build the very source Debian builds its Linux Qt from,
# with Debian's patches applied, using the Linux Qt's moc, rcc and uic as the host tools. Qt is
# built as DLLs: a user of the program may then rebuild and replace them, as the LGPL allows.

# Debian packages needed to cross-build Qt, build the Windows tree and run it under Wine.
# shellcheck disable=SC2034  # used by the scripts that source this file
# The end-to-end test drives the program on a virtual X display. osslsigncode signs the packages
# when a certificate is given; openssl makes the throwaway one the signing test signs with.
# xclip reads a message box's text, which Ctrl+C copies; strip-nondeterminism sorts the zip; 7z
# unpacks the setup for the signing test. Wine is its 64-bit loader alone (see scripts/wine.sh):
# these machines run no 32-bit code.
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix googletest wine wine64 dpkg-dev qt6-base-dev-tools zip unzip strip-nondeterminism nsis xvfb xauth x11-utils xdotool osslsigncode openssl xclip p7zip-full"

# What is left out is what the program does not use; direct2d stays, since in 6.4 the windows
# platform plugin takes its DirectWrite font database from that feature. Debian's source drops
# the Wintab headers that tabletevent needs; dynamicgl, on by default, would want OpenGL.
# The DLLs are optimised for size: the program draws a few small windows, and a smaller download
# costs it nothing. The MIME database, which nothing of the program asks, is left out, and so is
# FreeType: the program draws its text with DirectWrite, and the tests under Wine run on the
# windows platform too (FreeType served only the offscreen one, which goes with it).
GLYPH_QT_FEATURES=(
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_opengl=OFF
    -DFEATURE_vulkan=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_jpeg=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_freetype=OFF
    -DFEATURE_sql=OFF -DFEATURE_testlib_selfcover=OFF
    -DFEATURE_optimize_size=ON
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_graphicsview=OFF -DFEATURE_mdiarea=OFF -DFEATURE_calendarwidget=OFF
    -DFEATURE_dockwidget=OFF -DFEATURE_fontdialog=OFF -DFEATURE_colordialog=OFF
    -DFEATURE_wizard=OFF -DFEATURE_undocommand=OFF -DFEATURE_mimetype_database=OFF
)

# The Qt targets whose DLLs the program ships; their third-party code is what its notices name.
GLYPH_QT_SHIPPED_TARGETS=(Core Gui Widgets QWindowsIntegrationPlugin QWindowsVistaStylePlugin)
# Qt's static libraries that a program links: their own sources say their licence.
GLYPH_QT_LINKED_TARGETS=(EntryPointImplementation)

# The Debian version of the source: the Linux Qt's, so both platforms get the same fixes.
windows_qt_version()
{
    dpkg-query -W -f='${source:Version}' qt6-base-dev
}

# Two builds of the same source give the same DLLs: the time is the Debian changelog's (for the PE
# headers, which strip writes anew, and for rcc), and the folders the build ran in are named by
# fixed words. @SOURCE@ and @BUILD@ stand for those folders; the cache key holds these lines as written.
GLYPH_QT_REPRODUCIBLE=(
    "-DCMAKE_C_FLAGS=-ffile-prefix-map=@SOURCE@=qtbase -ffile-prefix-map=@BUILD@=qtbase-build"
    "-DCMAKE_CXX_FLAGS=-ffile-prefix-map=@SOURCE@=qtbase -ffile-prefix-map=@BUILD@=qtbase-build"
)

# Where this version built with these options and compiler lives; a change makes a new folder.
windows_qt_prefix()
{
    local hash
    hash=$(printf '%s\n' "$(windows_qt_version)" "${GLYPH_QT_FEATURES[*]}" \
        "${GLYPH_QT_REPRODUCIBLE[*]}" \
        "$(x86_64-w64-mingw32-g++-posix -dumpfullversion)" | sha256sum | cut -c1-12)
    printf '%s/glyphorbitaloscopex/qt-6-mingw-%s\n' "${XDG_CACHE_HOME:-$HOME/.cache}" "$hash"
}

# deb-src entries are needed for apt-get source; ours go in files of our own. Each is the twin of
# a deb entry of the machine's, so the source comes from the server its packages come from (a
# mirror or a proxy included) under the same keys. A server that offers no source is skipped by
# apt with a note.
_glyph_ensure_deb_src()
{
    local dir=/etc/apt/sources.list.d file lines=() stanzas=()
    if apt-get source --print-uris qt6-base 2>/dev/null | grep -q "orig.tar"; then
        return 0
    fi
    for file in /etc/apt/sources.list "$dir"/*.list; do
        [[ -f "$file" ]] && mapfile -t -O "${#lines[@]}" lines < <(sed -nE \
            's/^[[:space:]]*deb[[:space:]]+/deb-src /p' "$file")
    done
    for file in "$dir"/*.sources; do
        # One stanza a paragraph; a disabled one, or one without deb, is left out.
        [[ -f "$file" ]] && mapfile -t -d '' -O "${#stanzas[@]}" stanzas < <(awk -v RS= '
            /(^|\n)[Ee]nabled:[[:space:]]*[Nn]o/ { next }
            /(^|\n)[Tt]ypes:([^\n]*[[:space:]])?deb([[:space:]]|$)/ {
                sub(/(^|\n)[Tt]ypes:[^\n]*/, "\nTypes: deb-src"); printf "%s\n\n%c", $0, 0 }' "$file")
    done
    if ((${#lines[@]} + ${#stanzas[@]} == 0)); then
        echo "error: apt has no deb entries to take qt6-base's source entries from" >&2
        return 1
    fi
    local sudo=()
    ((EUID != 0)) && sudo=(sudo)
    echo "Adding source entries beside the deb ones ($dir/glyphorbitaloscopex-src.*)"
    ((${#lines[@]} == 0)) || printf '%s\n' "${lines[@]}" |
        "${sudo[@]}" tee "$dir/glyphorbitaloscopex-src.list" >/dev/null
    ((${#stanzas[@]} == 0)) || printf '%s' "${stanzas[@]}" | sed '/^#/d' |
        "${sudo[@]}" tee "$dir/glyphorbitaloscopex-src.sources" >/dev/null
    "${sudo[@]}" apt-get update >/dev/null
}

# _glyph_keep_attribution SOURCE BUILD DEST
# Keeps what the notices shipped with the program are made from, since the source and build trees
# are removed: every source and header the compiler read for the shipped DLLs (from ninja's
# dependency log), Qt's attribution files with the licence texts they name, and the sources of
# the static libraries a program links (static/).
_glyph_keep_attribution()
{
    local src=$1 build=$2 dest=$3 root objects targets
    root=$(cd "$src" && pwd -P) || return 1
    mkdir -p "$dest" || return 1
    mapfile -t objects < <(ninja -C "$build" -t commands "${GLYPH_QT_SHIPPED_TARGETS[@]}" |
        grep -oE ' -o [^ ]+\.obj' | sed 's/^ -o //' | sort -u)
    ((${#objects[@]} > 0)) || return 1
    ninja -C "$build" -t deps "${objects[@]}" | sed -n 's/^    //p' | sed "s|^$root/||" |
        grep -v '^/' | sort -u >"$dest/compiled-files.txt" || return 1
    (cd "$src" && find . -name qt_attribution.json ! -path './tests/*' ! -path './examples/*' \
        ! -path './util/*' -printf '%h\n' | while read -r dir; do
            find "$dir" -maxdepth 2 \( -name qt_attribution.json -o -iname '*licen[cs]e*' \
                -o -iname 'copying*' \) -type f -exec cp --parents {} "$dest/" \;
        done) || return 1
    # CMake compiles SRC_DIR/name.cpp into SRC_DIR/CMakeFiles/TARGET.dir/name.cpp.obj.
    targets=$(IFS='|' && printf '%s' "${GLYPH_QT_LINKED_TARGETS[*]}")
    mapfile -t objects < <(ninja -C "$build" -t commands "${GLYPH_QT_LINKED_TARGETS[@]}" |
        grep -oE " -o [^ ]+/CMakeFiles/($targets)\.dir/[^ ]+\.obj" |
        sed -E 's|^ -o ||; s|CMakeFiles/[^/]+\.dir/||; s|\.obj$||' | sort -u)
    ((${#objects[@]} > 0)) && mkdir -p "$dest/static" &&
        (cd "$src" && cp --parents "${objects[@]}" "$dest/static/") || return 1
    cp -r "$src/LICENSES" "$dest/"
}

# ensure_windows_qt
# Prints the folder of the Windows Qt, building it first when the cache lacks it (about twenty
# minutes on two cores). Only the install is kept, with the Debian source files as apt fetched
# them (source/), which a release ships beside the program; the build tree (some 2 GB) is removed.
ensure_windows_qt()
{
    local prefix
    prefix=$(windows_qt_prefix)
    if [[ -f "$prefix/.complete" ]]; then
        printf '%s\n' "$prefix"
        return 0
    fi
    _glyph_ensure_deb_src >&2

    local work version started reproducible
    work=$(mktemp -d "${TMPDIR:-/tmp}/glyph-qt.XXXXXX")
    reproducible=("${GLYPH_QT_REPRODUCIBLE[@]//@SOURCE@/$work/src}")
    reproducible=("${reproducible[@]//@BUILD@/$work/build}")
    version=$(windows_qt_version)
    started=$SECONDS
    echo "Building Qt $version for Windows into $prefix (once; ten to twenty minutes)" >&2
    # Chained with &&: set -e does not hold inside a subshell whose failure is handled.
    (
        mkdir "$work/source" && cd "$work" &&
            (cd source && apt-get source --download-only "qt6-base=$version") >build.log 2>&1 &&
            # apt-get checked the files against the signed archive index; dpkg-source, which
            # has no Debian developer keys here, would only warn that it cannot check them again.
            dpkg-source --no-check -x source/*.dsc src >>build.log 2>&1 &&
            SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l src/debian/changelog -STimestamp) &&
            export SOURCE_DATE_EPOCH &&
            cmake -S src -B build -G Ninja -Wno-dev --log-level=ERROR \
                --toolchain "$GLYPH_REPO_ROOT/cmake/mingw-w64-x86_64.cmake" \
                -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
                -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
                -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -print-multiarch)/cmake" \
                -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF "${GLYPH_QT_FEATURES[@]}" "${reproducible[@]}" \
                >>build.log 2>&1 &&
            cmake --build build >>build.log 2>&1 &&
            rm -rf "$prefix" &&
            cmake --install build --strip >>build.log 2>&1 &&
            _glyph_keep_attribution src build "$prefix/attribution" &&
            mv source "$prefix/source" &&
            # Which source and options, for the note shipped beside the Qt DLLs.
            printf '%s\n' "$version" >"$prefix/.debian-version" &&
            printf '%s\n' "${GLYPH_QT_FEATURES[@]}" >"$prefix/.features" &&
            touch "$prefix/.complete"
    ) >&2 || {
        echo "error: building Qt for Windows failed; the end of its log follows:" >&2
        tail -n 40 "$work/build.log" >&2 2>/dev/null || true
        rm -rf "$work"
        return 1
    }
    rm -rf "$work"
    echo "Built Qt for Windows in $((SECONDS - started)) s" >&2
    printf '%s\n' "$prefix"
}
