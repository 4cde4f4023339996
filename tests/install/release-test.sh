#!/usr/bin/env bash
# The release is the same bytes when built again from the same sources in
# another folder at another time, and a certificate given to tools/package.sh
# signs every program in it, the uninstaller that the setup program writes
# included (installed into WINEPREFIX). Usage: release-test.sh REPO DIST
set -euo pipefail
repo="$1" dist="$2"
work="$(mktemp -d /tmp/tessarine-release-test.XXXXXX)"
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH="$(git -C "$repo" log -1 --format=%ct)"
unset TESSARINE_SIGN_PFX TESSARINE_SIGN_PASSWORD TESSARINE_SIGN_TIMESTAMP_URL
fail() { echo "release-test: $*" >&2; exit 1; }

echo "== a clean build of the same sources elsewhere"
tree="$work/another folder"
mkdir "$tree"
git -C "$repo" ls-files -z --cached --others --exclude-standard |
  tar -C "$repo" --null -T - --ignore-failed-read -cf - | tar -C "$tree" --touch -xf -  # files of another time
export TESSARINE_BUILD_DIR="$tree/build"
"$tree/tools/package.sh" >/dev/null
for f in Tessarine.scr Tessarine.dll $(cut -c67- "$dist/SHA256SUMS") SHA256SUMS; do
  cmp "$dist/$f" "$tree/dist/$f" || fail "$f differs (run tools/package.sh for $dist)"
done
cat "$tree/dist/SHA256SUMS"

echo "== signed twice with a throw-away certificate"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tessarine test" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -in "$work/cert.pem" -inkey "$work/key.pem" -passout pass:throw-away -out "$work/test.pfx"
export TESSARINE_SIGN_PFX="$work/test.pfx" TESSARINE_SIGN_PASSWORD=throw-away
"$tree/tools/package.sh" >/dev/null
cp "$tree/dist/SHA256SUMS" "$work/signed.sums"
"$tree/tools/package.sh" >/dev/null
cmp "$work/signed.sums" "$tree/dist/SHA256SUMS" || fail "signed twice, the release differs"
(cd "$tree/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not list the signed files"
setup=("$tree/dist/"*-setup.exe)
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$tree/dist/"*.zip "$work/zip"
wine "${setup[0]}" /S "/D=$(winepath -w "$work/installed")" && wineserver -w
for f in "${setup[0]}" "$work"/zip/*.{scr,dll} "$work"/installed/*.{scr,dll,exe}; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$f" >"$work/verify.txt" 2>&1 ||
    { cat "$work/verify.txt"; fail "$f: no valid signature"; }
  echo "signed: ${f#"$work/"}"
done
wine "$work/installed/Tessarine-uninstall.exe" /S && wineserver -w
