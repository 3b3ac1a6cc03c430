#!/usr/bin/env bash
# The real window program, started as a user starts it, on the full list:
#   start:    from starting `kelvaro` until its lists are filled and painted, with the full
#             "mame.dat" and one INI file per game (20,343) in its INI folder. The program is
#             copied into a temporary folder, which is then its program folder: its settings,
#             "mame.dat" and the mode list are there. KELVARO_EXIT_AFTER_START makes it end
#             right after painting the filled lists.
#   generate: "Generate Native Mode List" in the window, timed by the program from the command
#             to the new lists painted (KELVARO_EXIT_AFTER_START=generate: the command runs once
#             the lists are shown, as if answered Yes), side by side with `mame -listxml |
#             kelvaro-batch listinfo` and with the emulator writing its list alone.
# Runs alternate so that all meet the same load; KELVARO_BENCH_RUNS rounds (default 5) after one
# warm-up round; best and median wall times in ms. The window runs offscreen unless
# QT_QPA_PLATFORM says otherwise. Needs KELVARO_WINDOW (the kelvaro program), KELVARO_BATCH and
# KELVARO_BENCH_DATA (the folder of mame.dat); KELVARO_BENCH_SKIP_GENERATE=1 times start-up only.
set -euo pipefail
window=${KELVARO_WINDOW:?set KELVARO_WINDOW to the kelvaro program}
batch=${KELVARO_BATCH:?set KELVARO_BATCH to the kelvaro-batch program}
data=${KELVARO_BENCH_DATA:?set KELVARO_BENCH_DATA to the folder of mame.dat}
mame=${KELVARO_MAME:-/usr/games/mame}
src=${KELVARO_SOURCE_DIR:-.}
runs=${KELVARO_BENCH_RUNS:-5}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

[ -s "$data/mame.dat" ] || { echo "needs $data/mame.dat (bench_startup makes it)" >&2; exit 2; }

# The program folder: the program, its settings, the list and the default mode list. The INI
# folder gets one file per game, written by the batch tool with the same settings.
prog="$tmp/program"
mkdir -p "$prog" "$tmp/ini" "$tmp/home"
cp "$window" "$prog/kelvaro"
cp "$data/mame.dat" "$prog/mame.dat"
cp "$src/data/avga9200.txt" "$prog/avga9200.txt"
# Every line of the settings file, as the program writes it: a short file is a damaged one, which
# the window would stop at start to tell.
printf '%s\r\n' "$mame" "$tmp/ini" "" False "$prog/avga9200.txt" 0 0 True 16 1.25 '???' '???' '??' \
  'resolution auto' 0 False True False > "$prog/kelvaro.cfg"
: > "$tmp/none.cfg"
"$batch" generate --dat "$prog/mame.dat" --modes "$prog/avga9200.txt" --ini-dir "$tmp/ini" \
  --cfg "$tmp/none.cfg" --set GenerateParentsOnly=False > /dev/null
echo "window program ($window), $(find "$tmp/ini" -name '*.ini' | wc -l) INI files, $QT_QPA_PLATFORM platform"

# shellcheck source=bench/timing.sh
source "$(dirname "$0")/timing.sh"
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

run_window() { # the mode of KELVARO_EXIT_AFTER_START
  echo "HOME='$tmp/home' KELVARO_EXIT_AFTER_START=$1 '$prog/kelvaro' > '$tmp/window.log' 2>&1"
}

# Warm-up: the files are in the page cache before any round counts. The setup check of this
# start runs to its end, and its kept outcome (setupcheck.dat) is put back before each start
# "kept"; a start "asked" has none, so the emulator is asked in the background. "shown" is the
# time from the program's start until that outcome is on the status bar.
bash -c "$(run_window setup)"
cp "$prog/setupcheck.dat" "$tmp/kept.dat"
kept=() asked=() shown=()
for ((i = 0; i < runs; i++)); do
  kept+=("$(ms "cp '$tmp/kept.dat' '$prog/setupcheck.dat'; $(run_window start)")")
  asked+=("$(ms "rm -f '$prog/setupcheck.dat'; $(run_window start)")")
  rm -f "$prog/setupcheck.dat"
  bash -c "$(run_window setup)"
  shown+=("$(sed -n 's/^setup: \([0-9]*\) ms$/\1/p' "$tmp/window.log")")
done
summary kept "${kept[@]}"
summary asked "${asked[@]}"
summary shown "${shown[@]}"
echo "  start-up median: $(median "${kept[@]}") ms with the kept check, $(median "${asked[@]}") ms without" \
  "(target: within 250 ms); the check's outcome shown after $(median "${shown[@]}") ms without"
[ "${KELVARO_BENCH_SKIP_GENERATE:-0}" = 1 ] && exit 0

alone=() listinfo=() generate=()
for ((i = 0; i < runs; i++)); do
  alone+=("$(ms "'$mame' -listxml > /dev/null")")
  listinfo+=("$(ms "'$mame' -listxml | '$batch' listinfo > '$tmp/mame.dat'")")
  bash -c "$(run_window generate)"
  generate+=("$(sed -n 's/^generate: \([0-9]*\) ms$/\1/p' "$tmp/window.log")")
done
summary alone "${alone[@]}"
summary listinfo "${listinfo[@]}"
summary window "${generate[@]}"
a=$(median "${alone[@]}") l=$(median "${listinfo[@]}") g=$(median "${generate[@]}")
echo "  medians: window / listinfo $((100 * g / l))%, window / alone $((100 * g / a))%," \
  "listinfo / alone $((100 * l / a))%  (target: window within 110% of listinfo)"
echo "  $(grep -c $'^game (\r$' "$prog/mame.dat") games in the window's new list"
