#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and holds it to what a distribution asks: lintian prints no error
# and no warning, and the software centres' description passes appstreamcli's validation.
# Each checker runs when it is installed (scripts/install-deps installs both).
# Usage: package_check.sh CPACK BUILD_DIR SCRATCH_DIR
set -u
cpack=$1 build=$2 scratch=$3
fail() { echo "$*"; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/kaldovirent_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no package in $scratch"

contents=$(dpkg-deb --contents "$deb")
for file in ./usr/games/kaldovirent ./usr/share/man/man6/kaldovirent.6.gz \
            ./usr/share/doc/kaldovirent/copyright ./usr/share/doc/kaldovirent/changelog.gz \
            ./usr/share/metainfo/org.kaldovirent.kaldovirent.metainfo.xml \
            ./usr/share/kaldovirent/DESIB___.otf; do
  grep -q " $file\$" <<<"$contents" || fail "not in the package: $file"
done
dpkg-deb --field "$deb" Homepage | grep -q . && fail "the package names a homepage"

if command -v lintian >/dev/null; then
  # lintian refuses to run as root unless told it may.
  report=$(lintian --allow-root "$deb" 2>&1)
  grep -E '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"
else
  echo "lintian is not installed: not checked"
fi

if command -v appstreamcli >/dev/null; then
  mkdir -p "$scratch/unpacked"
  dpkg-deb --extract "$deb" "$scratch/unpacked"
  appstreamcli validate --no-net \
    "$scratch/unpacked/usr/share/metainfo/org.kaldovirent.kaldovirent.metainfo.xml" ||
    fail "appstreamcli does not validate the metainfo"
else
  echo "appstreamcli is not installed: not checked"
fi
exit 0
