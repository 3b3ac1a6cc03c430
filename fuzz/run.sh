#!/usr/bin/env bash
# Runs each fuzz target for a while (default 180 seconds), from the seeds in fuzz/corpus/TARGET
# and the corpus earlier runs grew in BUILD_FOLDER/fuzz-work. Ends with status 1 when a target
# found a crash or a broken check; the input that shows it is kept in BUILD_FOLDER/fuzz-work.
# usage: fuzz/run.sh BUILD_FOLDER [SECONDS] [TARGET...]
# The targets come from the fuzz preset (clang), for example:
#   cmake --preset fuzz && cmake --build --preset fuzz && fuzz/run.sh build-fuzz 60
set -uo pipefail
build=$(cd "${1:?usage: fuzz/run.sh BUILD_FOLDER [SECONDS] [TARGET...]}" && pwd) || exit 2
seconds=${2:-180}
shift $(( $# < 2 ? $# : 2 ))
here=$(cd "$(dirname "$0")" && pwd)
work="$build/fuzz-work"

declare -A dict=(
  [fuzz_listinfo_converter]=listxml.dict [fuzz_gamelist_parser]=listinfo.dict [fuzz_native_modes]=listinfo.dict
  [fuzz_mode_list]=modelist.dict [fuzz_mode_import]=modeimport.dict [fuzz_settings_file]=settings.dict [fuzz_ini_file]=ini.dict
  [fuzz_emulator_options]=emulator.dict)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_listinfo_converter fuzz_gamelist_parser fuzz_native_modes
                                     fuzz_mode_list fuzz_mode_import fuzz_settings_file fuzz_ini_file
                                     fuzz_emulator_options)

failed=()
for target in "${targets[@]}"; do
  [ -n "${dict[$target]:-}" ] || { echo "unknown fuzz target: $target" >&2; exit 2; }
  mkdir -p "$work/corpus-$target"
  echo "== $target"
  log="$work/$target.log"
  # The grown corpus comes first: new inputs are written there, never into the seeds.
  "$build/fuzz/$target" "$work/corpus-$target" "$here/corpus/$target" -dict="$here/${dict[$target]}" \
      -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
      -artifact_prefix="$work/$target-" >"$log" 2>&1
  status=$?
  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY|.*check failed|Test unit written)' \
      "$log" || true
  [ $status -eq 0 ] || failed+=("$target")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (logs and inputs in $work)" >&2
  exit 1
fi
