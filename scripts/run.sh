#!/usr/bin/env bash
# Installs what is missing, builds Tankr in build/ (the program alone, without its tests) and
# starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-packages.sh" run
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$top/build" -j2 --target tankr
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: Tankr is a desktop program and needs a graphical session (DISPLAY is not set)." >&2
    echo "Run this command from a desktop session, or under a virtual one: xvfb-run -a $0" >&2
    exit 1
fi
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
fi
exec "$top/build/tankr"
