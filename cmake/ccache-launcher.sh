#!/bin/sh
# The presets' compiler launcher: ccache-launcher.sh SOURCE_DIR COMPILER ARGS...
# Compiles through ccache, when it is installed, into a cache kept outside the tree as Qt for
# Windows is, so that a second build, or a clone in another folder, compiles only what changed.
# The presets map the debug information's folder relative to SOURCE_DIR, and ccache hashes paths
# relative to it, so a fresh clone elsewhere reuses what an earlier one compiled. They also unset
# QT_TESTCASE_BUILDDIR: QtTest writes the tree's absolute path into each test's main() for
# QFINDTESTDATA, which no test uses, and without it the biggest files compile the same anywhere.
root=$1
shift
command -v ccache >/dev/null 2>&1 || exec "$@"
cache=${XDG_CACHE_HOME:-$HOME/.cache}/glyphorbitaloscopex/ccache
# Given a cache folder, ccache takes its settings from there, not from the user's own.
if [ ! -f "$cache/ccache.conf" ]; then
    mkdir -p "$cache" && printf 'max_size = 2G\n' >"$cache/ccache.conf"
fi
# The working folder is not hashed either, so that a second tree beside the first (the
# reproducibility test's) compiles from the cache too; what it changes is only the folder that
# the debugging information names, which nothing shipped keeps.
CCACHE_DIR=$cache CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1 exec ccache "$@"
