#!/usr/bin/env bash
# Runs every benchmark program of a build folder on the real emulator's list. The list is made
# once per build folder with the emulator and kept there (it is never committed).
set -euo pipefail
build=${1:-build}
mame=${KELVARO_MAME:-/usr/games/mame}
data="$build/bench-data"
mkdir -p "$data"
if [ ! -s "$data/listxml.xml" ]; then
  echo "making the emulator's list ($mame -listxml)..."
  "$mame" -listxml > "$data/listxml.xml.tmp"
  mv "$data/listxml.xml.tmp" "$data/listxml.xml"
fi
export KELVARO_BENCH_XML="$data/listxml.xml" KELVARO_BENCH_DATA="$data" KELVARO_MAME="$mame"
export KELVARO_BATCH="$build/kelvaro-batch" KELVARO_WINDOW="$build/kelvaro" KELVARO_SOURCE_DIR="$(pwd)"
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
for s in bench/*.sh; do
  [ "$(basename "$s")" = run-all.sh ] && continue
  [ -f "$s" ] || continue
  echo "== $(basename "$s")"
  bash "$s"
done
