#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz/ (or in the folder TANKR_FUZZ_BUILD names) and runs each
# for SECONDS (default 20) on a copy of its seed corpus in fuzz/corpus/. Exits non-zero when any
# target finds a crash or a broken invariant, naming the input that reproduces it; rerun one with
#   build-fuzz/<target> <reproducer>
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_record_decode fuzz_cp932 fuzz_numbers fuzz_date fuzz_import fuzz_other_logbook)
fi
case $seconds in
'' | *[!0-9]*)
    echo "usage: $0 [SECONDS] [TARGET...]" >&2
    exit 2
    ;;
esac

# The longest input worth trying: a little over a record, a few fields, a pasted box, a date;
# for an import, four fuel records and two vehicle records with their torn tails; for another
# logbook's file, a header and a few rows of each format.
max_len() {
    case $1 in
    fuzz_record_decode) echo 200 ;;
    fuzz_cp932) echo 128 ;;
    fuzz_numbers) echo 512 ;;
    fuzz_date) echo 128 ;;
    fuzz_import) echo $((82 * 4 + 74 * 2 + 16)) ;;
    fuzz_other_logbook) echo 2048 ;;
    *) echo 256 ;;
    esac
}

build=${TANKR_FUZZ_BUILD:-$top/build-fuzz}
compiler=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$compiler" ]; then
    echo "clang++ is missing: libFuzzer needs clang (Debian: apt-get install clang libclang-rt-14-dev)" >&2
    exit 1
fi
cmake -S "$top/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="$compiler" >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

work=$(mktemp -d)
trap 'umount "$work/memory" 2>/dev/null || true; rm -rf "$work"' EXIT
# The import target syncs every file it writes: in memory, where a sync costs nothing, it runs
# several times faster. Only root may mount a tmpfs; others fuzz on the disk.
mkdir "$work/memory"
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=512m tmpfs "$work/memory" 2>/dev/null; then
    export TMPDIR=$work/memory
fi
XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
# Every run makes many small Qt strings; a smaller quarantine for freed memory keeps a long run
# well under libFuzzer's 2 GB memory limit.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:quarantine_size_mb=64}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
    corpus=$work/corpus/$target
    artifacts=$build/artifacts/$target
    mkdir -p "$corpus"
    rm -rf "$artifacts"
    mkdir -p "$artifacts"
    cp "$top/fuzz/corpus/$target/"* "$corpus/"

    echo "== $target: $seconds s"
    status=0
    # -jobs runs the fuzzer in a worker whose output goes to fuzz-0.log in the current folder.
    (cd "$work" && "$build/$target" "$corpus" \
        -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=10 \
        -jobs=1 -workers=1 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" >"$work/$target.parent.log" 2>&1) || status=$?
    log=$work/fuzz-0.log
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' \
        "$log" || true
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true

    found=$(find "$artifacts" -type f | sort)
    if [ "$status" -ne 0 ] || [ -n "$found" ]; then
        echo "!! $target FAILED (exit $status); its output:" >&2
        grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "$log" | tail -60 >&2 || true
        for file in $found; do
            echo "!! reproducer: $file   (run: $build/$target $file)" >&2
        done
        failed+=("$target")
    fi
    rm -f "$log"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
echo "All fuzz targets ran ${seconds} s each without a finding."
