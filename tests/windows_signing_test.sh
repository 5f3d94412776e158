#!/usr/bin/env bash
# Packs the zip and the setup signed with a throwaway self-signed certificate and checks every
# signature: the zip's executable and DLLs, the setup, and the uninstaller that the setup writes
# when installed under Wine. Every script runs traced, and the password must show nowhere.
# Usage: windows_signing_test.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
# shellcheck source=tests/support/shell_test.sh
source tests/support/shell_test.sh

work=$(mktemp -d)
trap 'scripts/wine.sh remove "$work/prefix" || true; rm -rf "$work"' EXIT
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
scripts/wine.sh create "$work/prefix"
# A fresh prefix plays Windows 7, which the setup refuses.
scripts/wine.sh run "$work/prefix" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
scripts/wine.sh run "$work/prefix" "$setup" /S '/D=C:\signed' || fail "the setup failed with $?"
# The prefix's server lingers after the setup; the uninstaller it wrote is all that is waited for.
uninstaller=$work/prefix/drive_c/signed/uninstall.exe
wait_until 60 test -s "$uninstaller" || fail "the setup wrote no uninstaller"
unzip -q "$work/out/glyphorbitaloscopex-$version-win64.zip" -d "$work/unpacked"
# The settings files are text, though named .DLL.
mapfile -t files < <(find "$work/unpacked" -name AppFiles -prune -o -type f \
    \( -iname '*.exe' -o -iname '*.dll' \) -print)
((${#files[@]} > 1)) || fail "the zip holds no executable and DLLs"
for file in "${files[@]}" "$setup" "$uninstaller"; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify.log" 2>&1 ||
        fail "${file#"$work"/} is not signed: $(<"$work/verify.log")"
done
echo "signed and verified: ${#files[@]} files of the zip, the setup and the uninstaller it writes"
