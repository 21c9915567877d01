#!/usr/bin/env bash
# Builds the Debian package, installs it, checks what it installed, removes it again and checks
# that nothing of it is left. Needs root (dpkg) and the packaging tools; exits 77 (skipped)
# without them.
set -euo pipefail
build=$1
[ "$(id -u)" -eq 0 ] || { echo "needs root to install a package"; exit 77; }
for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || {
        echo "SKIP: $tool is not installed: scripts/install-packages.sh test installs it"
        exit 77
    }
done
cd "$build"
cpack -G DEB >/dev/null
package=$(ls -t tankr_*.deb | head -n 1)
dpkg -i "$package" >/dev/null
trap 'dpkg -r tankr >/dev/null 2>&1 || true' EXIT
installed=$(dpkg -L tankr | while read -r path; do [ -f "$path" ] && echo "$path"; done)

/usr/bin/tankr --version | grep -q '^tankr '
desktop-file-validate /usr/share/applications/tankr.desktop
appstreamcli validate --no-net /usr/share/metainfo/io.github.tankr.Tankr.metainfo.xml >/dev/null
for icon in scalable/apps/tankr.svg 48x48/apps/tankr.png 256x256/apps/tankr.png; do
    test -f "/usr/share/icons/hicolor/$icon"
done
dpkg-deb -f "$package" Depends | grep -q 'fonts-ipaexfont-gothic | fonts-noto-cjk'
dpkg-deb -f "$package" Depends | grep -q 'libqt6widgets6'

dpkg -r tankr >/dev/null
trap - EXIT
for path in $installed; do
    if [ -e "$path" ]; then echo "left behind: $path"; exit 1; fi
done
echo "package installed, checked and removed: $package"
