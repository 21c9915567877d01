#!/usr/bin/env bash
# Installs the Debian packages Tankr needs to build, run and test, when any is missing.
# Usage: install-packages.sh [run|test]
set -euo pipefail

# Debian's qt6-charts-dev needs the OpenGL module's CMake files but does not depend on them.
run_packages=(cmake g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
              fonts-ipaexfont-gothic xvfb xauth)
test_packages=(poppler-utils cups printer-driver-cups-pdf python3 clang libclang-rt-14-dev
               dpkg-dev file desktop-file-utils appstream strace)

packages=("${run_packages[@]}")
if [ "${1:-run}" = test ]; then
    packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
