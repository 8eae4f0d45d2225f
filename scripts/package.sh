#!/usr/bin/env bash
# Builds the Debian package from build/ (which scripts/test.sh made), checks it with lintian,
# unpacks it into a temporary root and starts the unpacked program there on the simulated
# plotter: a media list made in it must land in the user's data folder while the read-only
# program folder stays untouched.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh lintian desktop-file-utils

rm -f build/quirn_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/quirn_*.deb)
echo "== lintian $deb"
lintian --fail-on error "$deb"

root=$(mktemp -d)
trap 'chmod -R u+w "$root"; rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/quirn.desktop"
QUIRN_INSTALLED_PREFIX="$root/usr" build/tests/test_e2e --gtest_filter='EndToEndInstalled.*'
