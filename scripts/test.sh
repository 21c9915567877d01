#!/usr/bin/env bash
# Installs what is missing, builds Tankr and its tests in build/ and runs the whole suite
# without a display; then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/), and a short run of every fuzz target.
# Set TANKR_QUICK=1 to run the plain suite alone.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-packages.sh" test

XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen

echo "== Test suite"
# Testing on by name: scripts/run.sh turns it off in the same build folder.
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build "$top/build" -j2
ctest --test-dir "$top/build" --output-on-failure --timeout 600

[ -n "${TANKR_QUICK:-}" ] && exit 0

echo "== Test suite with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$top" -B "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTANKR_SANITIZE=ON >/dev/null
cmake --build "$top/build-asan" -j2
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$top/build-asan" --output-on-failure --timeout 900 --label-exclude 'cups|package'

echo "== Fuzz smoke"
"$top/fuzz/run.sh" 20
