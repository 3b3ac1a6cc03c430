#!/usr/bin/env bash
# Runs each fuzz target for a while (default 180 seconds) from a few small seeds written here.
# usage: fuzz/run.sh BUILD_FOLDER [SECONDS]
set -euo pipefail
build=$(cd "${1:?usage: fuzz/run.sh BUILD_FOLDER [SECONDS]}" && pwd)
seconds=${2:-180}
here=$(cd "$(dirname "$0")" && pwd)
work="$build/fuzz-work"
mkdir -p "$work/seeds-xml" "$work/seeds-info"

printf '%s' '<?xml version="1.0"?>
<!DOCTYPE mame [
<!ELEMENT mame (machine+)>
<!ATTLIST machine isbios (yes|no) "no">
]>
<mame build="0.251">
	<machine name="puckman" sourcefile="pacman/pacman.cpp">
		<description>Puck Man (Japan set 1)</description>
		<year>1980</year>
		<manufacturer>Namco</manufacturer>
		<display tag="screen" type="raster" rotate="90" width="288" height="224" refresh="60.606061" />
	</machine>
	<machine name="pacman" cloneof="puckman" romof="puckman">
		<description>Pac-Man &amp; friends</description>
		<display type="vector" rotate="0" refresh="61.523438"/>
	</machine>
	<machine name="z80" isdevice="yes" runnable="no"><description>Z80</description></machine>
</mame>
' > "$work/seeds-xml/list.xml"
printf 'game (\r\n\tname puckman\r\n\tdescription "Puck Man"\r\n\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061 )\r\n)\r\n\r\ngame (\r\n\tname asteroid\r\n\tcloneof ast\r\n\tdescription "Asteroids"\r\n\tvideo ( screen vector orientation horizontal aspectx 4 aspecty 3 freq 61.523438 )\r\n)\r\n\r\ngame (\n\tname nosize\n\tvideo ( screen raster orientation horizontal )\n)\n' > "$work/seeds-info/mame.dat"

run() {
  local target=$1 seeds=$2 dict=$3
  mkdir -p "$work/corpus-$target"
  echo "== $target"
  (cd "$work" && "$build/fuzz/$target" "corpus-$target" "$seeds" -dict="$here/$dict" \
      -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 -rss_limit_mb=1024 2>&1 \
   | grep -E '^(#[0-9]+[[:space:]]+DONE|stat::|==[0-9]+==ERROR|SUMMARY|.*check failed|artifact_prefix|Test unit written)' || true)
}
run fuzz_listinfo_converter "seeds-xml" listxml.dict
run fuzz_gamelist_parser "seeds-info" listinfo.dict
run fuzz_native_modes "seeds-info" listinfo.dict
