#!/usr/bin/env bash
# Runs every libFuzzer target listed by tests/fuzz/CMakeLists.txt for SECONDS in all, shared
# evenly, each seeded from tests/fuzz/corpus/<name>/ and growing its own corpus under
# build/fuzz/corpus/<name>/. A crash or a broken property fails the run and leaves its input
# in build/fuzz/findings/<name>/: turn it into a table case in the unit tests. The time limit per
# input is generous: on a loaded machine a slow input is the machine, not a hang.
#   scripts/fuzz.sh [SECONDS]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
total=${1:-60}
build=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
mapfile -t targets < "$build/fuzz-targets.txt"
(( ${#targets[@]} > 0 )) || { echo "fuzz: no targets in $build/fuzz-targets.txt" >&2; exit 1; }
share=$(( total / ${#targets[@]} ))
(( share > 0 )) || share=1
status=0
for entry in "${targets[@]}"; do
  name=${entry%% *}
  binary=${entry#* }
  corpus=$build/corpus/$name
  findings=$build/findings/$name
  mkdir -p "$corpus" "$findings"
  seeds=tests/fuzz/corpus/$name
  dict=()
  [ -f "tests/fuzz/$name.dict" ] && dict=(-dict="tests/fuzz/$name.dict")
  log=$build/$name.log
  TIMEFORMAT="%U %S"
  set +e
  { time "$binary" "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) "${dict[@]}" -max_total_time="$share" \
      -timeout=120 -rss_limit_mb=2048 -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1; } 2>"$build/$name.time"
  result=$?
  set -e
  read -r user sys < "$build/$name.time"
  runs=$(grep -o '^Done [0-9]* runs' "$log" | grep -o '[0-9]*' || echo "?")
  cover=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo "?")
  printf 'fuzz %-16s %4ss wall %7.1fs CPU %10s runs  coverage %5s  corpus %5s  %s\n' "$name" "$share" \
    "$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')" "$runs" "$cover" "$(ls "$corpus" | wc -l)" \
    "$( [ $result -eq 0 ] && echo ok || echo "FAILED (see $log)")"
  [ $result -eq 0 ] || { tail -30 "$log"; status=1; }
done
exit $status
