#!/usr/bin/env bash
# Korvane at each quality beside Debian's tube and saturation plug-ins, all
# in one run of korvane-host bench (interleaved), for every scenario.
#
#   tools/bench-peers.sh [SECONDS] [RUNS]      (defaults: 5 s, 5 runs)
#
# A quality is chosen the way a user chooses it for new instances: each
# quality runs a copy of the built VST 2.4 plug-in whose settings file beside
# it names that default quality. Run tools/build.sh (or the test command)
# first.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${KORVANE_BUILD_DIR:-build}
seconds=${1:-5}
runs=${2:-5}
host="$build_dir/tools/korvane-host/korvane-host"
plugin="$build_dir/Korvane_artefacts/Release/VST/Korvane.so"

for needed in "$host" "$plugin"; do
    [[ -e "$needed" ]] || { echo "bench-peers: $needed is missing; build first (tools/build.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

contenders=()
for quality in low medium high highest; do
    mkdir "$work/$quality"
    cp "$plugin" "$work/$quality/Korvane.so"
    cat > "$work/$quality/Korvane.ini" <<SETTINGS
<?xml version="1.0" encoding="UTF-8"?>
<UserSettings application="Korvane">
  <QualitySettings default="$quality"/>
</UserSettings>
SETTINGS
    contenders+=("$work/$quality/Korvane.so")
done

# The peers, when installed (zam-plugins and calf-plugins; the set-up installs both).
[[ -d /usr/lib/lv2/ZamTube.lv2 ]] && contenders+=(/usr/lib/lv2/ZamTube.lv2)
[[ -d /usr/lib/lv2/calf.lv2 ]] && contenders+=(http://calf.sourceforge.net/plugins/Saturator)

echo "contenders: Korvane low, medium, high, highest (#1-#4), then ${contenders[*]:4}"
"$host" bench "${contenders[@]}" --seconds "$seconds" --runs "$runs" --scenario all 2>&1 \
    | grep -v -e '^lilv_world_add_plugin' -e '^Creating' -e '^Attempting' -e '^Initialising'
