#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Editor tests need a display:
# without one, the suite runs under a virtual X server. Then the sanitizer
# runs: a short concurrency stress under ThreadSanitizer and a few seconds
# of every fuzz target under AddressSanitizer and UBSan, each in a clang
# build tree of its own (built once, then kept).
set -euo pipefail
cd "$(dirname "$0")/.."

# Clones of the project in other folders (CI's among them) share ccache's
# entries: paths inside the tree are hashed relative to it.
export CCACHE_BASEDIR="$PWD"
export CCACHE_NOHASHDIR=1

tools/setup.sh
tools/build.sh

build_dir=${KORVANE_BUILD_DIR:-build}
run=(ctest --test-dir "$build_dir" --output-on-failure -j 2)

if [[ -z "${DISPLAY:-}" ]]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
else
    "${run[@]}"
fi

tools/stress.sh "${KORVANE_STRESS_SECONDS_CI:-10}"
tools/fuzz.sh "${KORVANE_FUZZ_SECONDS_CI:-5}"
