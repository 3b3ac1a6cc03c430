#!/usr/bin/env bash
# Writing the INI files of every game of the real list with kelvaro-batch:
#   select: read the list and the mode list, auto-select (what generate does before it writes)
#   new:    generate into an empty INI folder
#   over:   generate into the folder the run before filled, with the same settings (every file
#           holds its new bytes already)
#   changed: generate into that folder for a horizontal monitor (every file's bytes change)
# With KELVARO_BATCH_REF set to another kelvaro-batch (an older build), its runs alternate with
# ours so that both meet the same load. KELVARO_BENCH_RUNS rounds (default 5); best and median
# wall times in ms, and the CPU time (user + system) of the best run: on a busy machine the wall
# time mostly measures the others. The list is $KELVARO_BENCH_DATA/mame.dat, made from $KELVARO_BENCH_XML when
# it is missing.
set -euo pipefail
batch=${KELVARO_BATCH:?set KELVARO_BATCH to the kelvaro-batch program}
ref=${KELVARO_BATCH_REF:-}
runs=${KELVARO_BENCH_RUNS:-5}
src=${KELVARO_SOURCE_DIR:-$(pwd)}
data=${KELVARO_BENCH_DATA:?set KELVARO_BENCH_DATA to the folder of mame.dat}
dat="$data/mame.dat"
if [ ! -s "$dat" ]; then
  "$batch" listinfo --xml "${KELVARO_BENCH_XML:?set KELVARO_BENCH_XML to the emulator\'s list}" --out "$dat"
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
common=(--dat "$dat" --modes "$src/data/avga9200.txt" --cfg "$tmp/none.cfg" --set GenerateParentsOnly=False)

ms() { # runs a command, prints "wall/cpu" in ms
  local TIMEFORMAT='%3R %3U %3S' t
  t=$( { time "$@" > "$tmp/out.txt" 2> "$tmp/err.txt"; } 2>&1 )
  awk '{ printf "%d/%d", $1 * 1000, ($2 + $3) * 1000 }' <<<"$t"
}

summary() { # name, then the "wall/cpu" figures
  local name=$1; shift
  local sorted
  sorted=$(printf '%s\n' "$@" | sort -t/ -n -k1)
  printf '  %-16s best %6d ms (cpu %5d ms), median %6d ms  (%s)\n' "$name" "$(head -1 <<<"$sorted" | cut -d/ -f1)" \
    "$(head -1 <<<"$sorted" | cut -d/ -f2)" "$(sed -n "$((($# + 1) / 2))p" <<<"$sorted" | cut -d/ -f1)" "$*"
}

declare -A times
programs=(ours)
[ -n "$ref" ] && programs+=(reference)
for ((i = 0; i < runs; i++)); do
  for p in "${programs[@]}"; do
    exe=$batch
    [ "$p" = reference ] && exe=$ref
    rm -rf "$tmp/ini"
    mkdir "$tmp/ini"
    times[$p-select]+=" $(ms "$exe" select "${common[@]}" --set MonitorOrientation=1)"
    times[$p-new]+=" $(ms "$exe" generate "${common[@]}" --set MonitorOrientation=1 --ini-dir "$tmp/ini")"
    times[$p-over]+=" $(ms "$exe" generate "${common[@]}" --set MonitorOrientation=1 --ini-dir "$tmp/ini")"
    times[$p-changed]+=" $(ms "$exe" generate "${common[@]}" --set MonitorOrientation=0 --ini-dir "$tmp/ini")"
  done
done
echo "generate over the real list ($(tail -1 "$tmp/out.txt")), $runs rounds, load average $(cut -d' ' -f1-3 /proc/loadavg):"
for p in "${programs[@]}"; do
  for what in select new over changed; do
    # shellcheck disable=SC2086
    summary "$p $what" ${times[$p-$what]}
  done
done
