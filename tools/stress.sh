#!/usr/bin/env bash
# The concurrency stress test under ThreadSanitizer.
#
#   tools/stress.sh [SECONDS]     (default 60)
#
# Configures build-tsan/ with clang and -fsanitize=thread (once), builds only
# korvane_stress_tests there and runs it for SECONDS: an audio thread with
# MIDI, a host automating parameters, a host saving and restoring the state
# and loading banks, and the message thread doing what the editor does. It
# fails on any ThreadSanitizer report, on a thread that stops making progress
# (deadlock), and when state or bank are not intact at the end. The binary is
# run directly, not through ctest, which would discover every test program
# of the tree first.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build_dir=${KORVANE_TSAN_BUILD_DIR:-build-tsan}
jobs=${KORVANE_JOBS:-2}

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || (( seconds < 1 )); then
    echo "usage: $0 [SECONDS]" >&2
    exit 2
fi

for tool in clang clang++ cmake; do
    if ! command -v "$tool" > /dev/null; then
        echo "$tool is missing: apt-get install clang libclang-rt-14-dev cmake" >&2
        exit 2
    fi
done

if [[ ! -f "$build_dir/CMakeCache.txt" ]]; then
    # RelWithDebInfo only for its name: JUCE adds -O3 to Release and -O0 to
    # Debug builds, and the flags here must stay as they are.
    CC=clang CXX=clang++ cmake -S . -B "$build_dir" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS="-fsanitize=thread" \
        -DCMAKE_CXX_FLAGS="-fsanitize=thread" \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-g -O1 -DNDEBUG" \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-g -O1 -DNDEBUG" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
        -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" \
        -DKORVANE_BUILD_BENCHMARKS=OFF
fi

cmake --build "$build_dir" -j "$jobs" --target korvane_stress_tests

suppressions="$PWD/tests/stress/tsan-suppressions.txt"
log="$build_dir/stress.log"
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$suppressions ${TSAN_OPTIONS:-}"

echo "Stress run: $seconds s under ThreadSanitizer (log: $log)"
status=0
KORVANE_STRESS_SECONDS="$seconds" "$build_dir/tests/korvane_stress_tests" 2>&1 | tee "$log" || status=$?

# halt_on_error already ends the run with a failure; a report that does not
# halt (none should) must fail the run all the same.
if grep -q "WARNING: ThreadSanitizer" "$log"; then
    echo "ThreadSanitizer reported a problem: see $log" >&2
    (( status != 0 )) || status=1
fi

if (( status != 0 )); then
    echo "Stress run FAILED (exit status $status)" >&2
else
    echo "Stress run passed"
fi

exit "$status"
