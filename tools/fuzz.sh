#!/usr/bin/env bash
# Fuzzes every reader of outside data with libFuzzer, under AddressSanitizer
# and UndefinedBehaviorSanitizer:
#
#     tools/fuzz.sh [SECONDS]        (default 60 seconds per target)
#
# Configures a clang build tree of its own (build-fuzz/, or
# $KORVANE_FUZZ_BUILD_DIR) with the whole tree instrumented, builds only the
# fuzz targets, and runs each target for SECONDS seconds, one after the
# other, starting from a scratch copy of its seeds (fuzz/corpus/<target>/
# and fuzz/regressions/<target>/): nothing is written into the source tree.
# Prints per target the executions, the corpus size before and after, and
# the crashes. Exits non-zero when a target crashed, leaving the crashing
# input (and the log) in the folder the message names.
#
# KORVANE_FUZZ_TARGETS="skin bank" runs only those targets;
# KORVANE_FUZZ_KEEP=1 keeps the scratch folder after a clean run too;
# KORVANE_JOBS sets the build's parallel jobs (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || (( seconds < 1 )); then
    echo "usage: $0 [SECONDS]" >&2
    exit 2
fi

build_dir=${KORVANE_FUZZ_BUILD_DIR:-build-fuzz}
jobs=${KORVANE_JOBS:-2}
all_targets=(state_chunk program_chunk state_xml preset bank midi_map user_settings skin parameters)
read -r -a targets <<< "${KORVANE_FUZZ_TARGETS:-${all_targets[*]}}"

#==============================================================================
# clang with libFuzzer and the sanitizer run-times (Debian: clang,
# libclang-rt-14-dev; tools/setup.sh installs them).

probe=$(mktemp -d "${TMPDIR:-/tmp}/korvane-fuzz-probe.XXXXXX")
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput (const unsigned char*, unsigned long) { return 0; }\n' > "$probe/probe.cpp"

if ! command -v clang >/dev/null || ! command -v clang++ >/dev/null; then
    echo "fuzz: clang is not installed (Debian packages clang and libclang-rt-14-dev; see tools/setup.sh)" >&2
    exit 2
fi

if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2> "$probe/probe.log"; then
    cat "$probe/probe.log" >&2
    echo "fuzz: clang cannot link libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer" \
         "(Debian package libclang-rt-14-dev; see tools/setup.sh)" >&2
    exit 2
fi

#==============================================================================
# Configure and build. Everything is instrumented (JUCE too); UB is an error
# that stops the run, like a crash. nonnull-attribute alone stays
# recoverable, so that fuzz/ubsan.supp can silence JUCE's own harmless
# report of it.
sanitizers="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fsanitize-recover=nonnull-attribute -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S . -B "$build_dir" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVANE_BUILD_FUZZERS=ON \
    -DKORVANE_BUILD_TESTS=OFF \
    -DKORVANE_BUILD_BENCHMARKS=OFF \
    "-DCMAKE_C_FLAGS=$sanitizers" \
    "-DCMAKE_CXX_FLAGS=$sanitizers" > "$probe/configure.log" || { cat "$probe/configure.log" >&2; exit 2; }

if ! grep -q '^CMAKE_CXX_COMPILER:.*clang' "$build_dir/CMakeCache.txt"; then
    echo "fuzz: $build_dir was configured with another compiler; remove it or set KORVANE_FUZZ_BUILD_DIR" >&2
    exit 2
fi

cmake --build "$build_dir" -j "$jobs" --target korvane_fuzzers

#==============================================================================
# Run each target from a scratch copy of its seeds.

work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-fuzz.XXXXXX")
# The targets' temporary files (user settings, scratch documents) go there too.
export KORVANE_FUZZ_TEMP="$work/tmp"
mkdir -p "$KORVANE_FUZZ_TEMP"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1:suppressions=$PWD/fuzz/ubsan.supp}

count_files() { find "$1" -maxdepth 1 -type f | wc -l; }

failed=()
printf '\n%-14s %11s %7s %14s %13s  %s\n' target executions "exec/s" "corpus before" "corpus after" crashes > "$work/summary.txt"

for target in "${targets[@]}"; do
    binary="$build_dir/fuzz/korvane_fuzz_$target"

    if [[ ! -x "$binary" ]]; then
        echo "fuzz: no target $target" >&2
        exit 2
    fi

    corpus="$work/$target/corpus"
    crashes="$work/$target/crashes"
    log="$work/$target/fuzz.log"
    mkdir -p "$corpus" "$crashes"

    for seeds in "fuzz/corpus/$target" "fuzz/regressions/$target"; do
        if [[ -d "$seeds" ]]; then
            find "$seeds" -maxdepth 1 -type f -exec cp {} "$corpus/" \;
        fi
    done

    before=$(count_files "$corpus")
    echo "fuzz: $target for ${seconds}s ..."

    status=0
    "$binary" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
        -dict=fuzz/korvane.dict -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$corpus" > "$log" 2>&1 || status=$?

    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    after=$(count_files "$corpus")
    found=$(count_files "$crashes")

    if (( status != 0 || found > 0 )); then
        failed+=("$target")
        verdict="$found, see $work/$target/ (log: fuzz.log)"
        grep -m1 -E 'ERROR: |runtime error|\*\*\* korvane fuzz' "$log" >&2 || tail -20 "$log" >&2
    else
        verdict=0
    fi

    printf '%-14s %11s %7s %14s %13s  %s\n' "$target" "${executions:-?}" "${speed:-?}" "$before" "$after" "$verdict" >> "$work/summary.txt"
done

cat "$work/summary.txt"

if (( ${#failed[@]} > 0 )); then
    echo
    echo "fuzz: crashes in ${failed[*]}: the crashing inputs are in $work/<target>/crashes/" >&2
    echo "      reproduce with: UBSAN_OPTIONS=suppressions=fuzz/ubsan.supp $build_dir/fuzz/korvane_fuzz_<target> <input>" >&2
    exit 1
fi

if [[ -n "${KORVANE_FUZZ_KEEP:-}" ]]; then
    echo "fuzz: no crashes; corpora and logs kept in $work"
else
    rm -rf "$work"
    echo "fuzz: no crashes"
fi
