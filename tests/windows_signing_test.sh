#!/usr/bin/env bash
# Packs the zip and the setup signed with a throwaway self-signed certificate and checks every
# signature: the zip's executable and DLLs, the setup, and every program and DLL inside the setup,
# unpacked by 7z: the uninstaller it writes as it is and the NSIS plug-ins it loads. Every script
# runs traced, and the password must show nowhere.
# Usage: windows_signing_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export GLYPH_SIGN_PFX=$work/signer.pfx GLYPH_SIGN_PASSWORD="not to be shown $RANDOM"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Throwaway signer" -addext \
    extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$GLYPH_SIGN_PFX" \
    -passout env:GLYPH_SIGN_PASSWORD
env SHELLOPTS=xtrace scripts/build-windows --pack "$build_dir" "$work/out" >"$work/pack.log" 2>&1 ||
    fail "packing failed: $(<"$work/pack.log")"
if grep -qF "$GLYPH_SIGN_PASSWORD" "$work/pack.log"; then fail "the password was shown"; fi

version=$(<"$build_dir/version.txt")
setup=$work/out/glyphorbitaloscopex-$version-win64-setup.exe
unzip -q "$work/out/glyphorbitaloscopex-$version-win64.zip" -d "$work/unpacked"
7z x -o"$work/setup" "$setup" >"$work/7z.log" || fail "7z could not unpack the setup: $(<"$work/7z.log")"
# 7z names the folder that the setup unpacks its plug-ins into as NSIS does.
# shellcheck disable=SC2016
for inside in uninstall.exe '$PLUGINSDIR/System.dll'; do
    [[ -f "$work/setup/$inside" ]] || fail "the setup holds no $inside"
done
# The settings files are text, though named .DLL.
mapfile -t files < <(find "$work/unpacked" "$work/setup" -name AppFiles -prune -o -type f \
    \( -iname '*.exe' -o -iname '*.dll' \) -print)
for file in "${files[@]}" "$setup"; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify.log" 2>&1 ||
        fail "${file#"$work"/} is not signed: $(<"$work/verify.log")"
done
echo "signed and verified: the setup and ${#files[@]} programs and DLLs in it and in the zip"
