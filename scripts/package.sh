#!/usr/bin/env bash
# Builds the Debian package from build/ (which scripts/test.sh made), checks it with lintian,
# unpacks it into a temporary root and starts the unpacked program there on the simulated
# plotter: a media list made in it must land in the user's data folder while the read-only
# program folder stays untouched.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(lintian desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]} (run as root or install them with sudo)" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

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
