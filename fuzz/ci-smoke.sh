#!/usr/bin/env bash
# A short run of every fuzz target, for CI: configures and builds the targets with clang in a
# build folder of their own, then runs each for a few seconds. Fails when any target finds a fault.
# usage: fuzz/ci-smoke.sh [BUILD_FOLDER] [SECONDS]   (defaults: build-fuzz, 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
cmake -S "$root" -B "$build" -G Ninja -DKELVARO_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DKELVARO_UI=OFF -DKELVARO_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_listinfo_converter fuzz_gamelist_parser fuzz_native_modes \
      fuzz_mode_list fuzz_mode_import fuzz_settings_file fuzz_ini_file fuzz_emulator_options
"$root/fuzz/run.sh" "$build" "${2:-5}" fuzz_listinfo_converter fuzz_gamelist_parser fuzz_native_modes \
  fuzz_mode_list fuzz_mode_import fuzz_settings_file fuzz_ini_file fuzz_emulator_options
