#!/usr/bin/env bash
# The main job: set up, build every format, then play the demo phrase through
# the VST 2.4 plug-in with korvane-host, writing the output WAV and a plot.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
tools/build.sh

build_dir=${KORVANE_BUILD_DIR:-build}
host="$build_dir/tools/korvane-host/korvane-host"
plugin="$build_dir/Korvane_artefacts/Release/VST/Korvane.so"
out="$build_dir/demo"
mkdir -p "$out"

"$host" inspect "$plugin" > "$out/korvane-vst2.json"
echo "what a host sees of $plugin: $out/korvane-vst2.json"
"$host" demo "$out/demo-input.wav"
"$host" render "$plugin" "$out/demo-input.wav" "$out/demo-output.wav" --plot "$out/demo-plot.png"
echo "plot of input and output: $out/demo-plot.png"
