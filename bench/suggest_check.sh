#!/usr/bin/env bash
# Checks that the modes `kelvaro-batch suggest` proposes give exactly the gains it prints: each
# suggested line is appended, in order, to a copy of the mode list, `select` runs again, and the
# number of games with a mode must rise by exactly that suggestion's gain. Runs for the three
# monitor orientations and prints the time each `suggest` took.
# Environment (as bench/run-all.sh sets it): KELVARO_BATCH, KELVARO_SOURCE_DIR, and the list
# KELVARO_BENCH_DATA/mame.dat (made from KELVARO_BENCH_XML when missing); or pass
# DAT [MODES] as arguments.
set -euo pipefail
batch=${KELVARO_BATCH:-build/kelvaro-batch}
modes=${2:-${KELVARO_SOURCE_DIR:-.}/data/avga9200.txt}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dat=${1:-${KELVARO_BENCH_DATA:-}/mame.dat}
if [ ! -s "$dat" ]; then
  [ -n "${KELVARO_BENCH_XML:-}" ] || { echo "no game list: give DAT or set KELVARO_BENCH_DATA" >&2; exit 2; }
  dat="$work/mame.dat"
  "$batch" listinfo --xml "$KELVARO_BENCH_XML" --out "$dat"
fi
cfg="$work/none.cfg"   # no such file: the default settings

with_mode() {  # with_mode MODES ORIENTATION: games whose mode width is not "???"
  "$batch" select --dat "$dat" --modes "$1" --cfg "$cfg" --set MonitorOrientation="$2" |
    awk -F'\t' '$1 != "NotFound" && $8 != "???"' | wc -l
}

failures=0
for orientation in 0 1 2; do
  start=$(date +%s%N)
  "$batch" suggest --dat "$dat" --modes "$modes" --cfg "$cfg" --set MonitorOrientation="$orientation" \
    > "$work/suggested"
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  cp "$modes" "$work/modes.txt"
  # The copy ends with a line end before lines are appended.
  [ -z "$(tail -c 1 "$work/modes.txt")" ] || printf '\n' >> "$work/modes.txt"
  before=$(with_mode "$work/modes.txt" "$orientation")
  echo "orientation $orientation: suggest took $ms ms; $before games with a mode"
  while IFS=$'\t' read -r w h r kind gain; do
    printf '%4s%4s %sHz %s\n' "$w" "$h" "$r" "$kind" >> "$work/modes.txt"
    after=$(with_mode "$work/modes.txt" "$orientation")
    verdict=ok
    if [ $((after - before)) -ne "$gain" ]; then verdict=WRONG; failures=$((failures + 1)); fi
    echo "  $w x $h ${r}Hz $kind: gain $gain, select $before -> $after ($verdict)"
    before=$after
  done < "$work/suggested"
done
[ "$failures" -eq 0 ] || { echo "$failures gains differ from select" >&2; exit 1; }
echo "all gains exact"
