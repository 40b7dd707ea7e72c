#!/usr/bin/env bash
# The main job: set up, build every format, and show what a host sees of the
# VST 2.4 plug-in, loaded through korvane-host.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
tools/build.sh

build_dir=${KORVANE_BUILD_DIR:-build}
"$build_dir/tools/korvane-host/korvane-host" inspect "$build_dir/Korvane_artefacts/Release/VST/Korvane.so"
