#!/usr/bin/env bash
# The emulator's list through the converter, next to the emulator writing its list alone:
#   alone:    mame -listxml > /dev/null
#   listinfo: mame -listxml | kelvaro-batch listinfo > mame.dat       (what retrieval runs)
#   generate: the same, then kelvaro-batch natives on the new mame.dat (the whole "Generate
#             Native Mode List" without the window)
# Runs alternate (KELVARO_BENCH_RUNS rounds, default 3) so that all meet the same load; best and
# median wall times in ms. The converter's peak memory comes from /usr/bin/time when present.
set -euo pipefail
mame=${KELVARO_MAME:-/usr/games/mame}
batch=${KELVARO_BATCH:?set KELVARO_BATCH to the kelvaro-batch program}
runs=${KELVARO_BENCH_RUNS:-3}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# shellcheck source=bench/timing.sh
source "$(dirname "$0")/timing.sh"

alone=() listinfo=() generate=()
for ((i = 0; i < runs; i++)); do
  alone+=("$(ms "'$mame' -listxml > /dev/null")")
  listinfo+=("$(ms "'$mame' -listxml | '$batch' listinfo > '$tmp/mame.dat'")")
  generate+=("$(ms "'$mame' -listxml | '$batch' listinfo > '$tmp/mame.dat' && '$batch' natives --dat '$tmp/mame.dat' > /dev/null")")
done
echo "emulator list ($mame), $runs rounds, load average $(cut -d' ' -f1-3 /proc/loadavg):"
summary alone "${alone[@]}"
summary listinfo "${listinfo[@]}"
summary generate "${generate[@]}"
best() { printf '%s\n' "$@" | sort -n | head -1; }
a=$(best "${alone[@]}") l=$(best "${listinfo[@]}") g=$(best "${generate[@]}")
echo "  listinfo / alone: $((100 * l / a))%   generate / alone: $((100 * g / a))%   (target: within 110%)"
echo "  $(grep -c $'^game (\r$' "$tmp/mame.dat") games in the converted list"

if [ -x /usr/bin/time ]; then
  kb=$( { "$mame" -listxml | /usr/bin/time -f '%M' "$batch" listinfo > /dev/null; } 2>&1 | tail -1)
  echo "  converter peak memory (max RSS of kelvaro-batch listinfo in the pipe): $((kb / 1024)) MB"
fi
