#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, the simulated plotter and the running
# program need.
# Packages already present are not touched, so a second run costs a second. Packages named
# as arguments are installed the same way (the packaging and fuzzing scripts add theirs).
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-svg-dev libgl-dev
    libcups2-dev cups cups-client
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    umockdev libumockdev-dev
    xvfb xauth
    # At run time the windows draw Latin and Cyrillic texts with DejaVu and Japanese and
    # Chinese ones with Noto CJK; without a CJK font those texts show as empty boxes.
    fonts-dejavu-core fonts-noto-cjk
)
if [ $# -gt 0 ]; then
    packages=("$@")
fi
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
