#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Editor tests need a display:
# without one, the suite runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
tools/build.sh

build_dir=${KORVANE_BUILD_DIR:-build}
run=(ctest --test-dir "$build_dir" --output-on-failure -j 2)

if [[ -z "${DISPLAY:-}" ]]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
else
    "${run[@]}"
fi
