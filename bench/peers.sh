#!/usr/bin/env bash
# Times the cue engine against its peers on the generated sheets, in one
# run, and prints the ratios against the targets:
#   - in-process read + relayout of the realistic sheet no slower than
#     libcue's parse of it;
#   - whole-process tracksmith-cli normalize no slower than the fastest
#     peer (cuebreakpoints, cueprint, libcue_walk) on the realistic and the
#     stress sheet;
#   - the scale sheet (about 40,000 lines) normalized in under 100 ms;
#   - heap under 64 bytes per byte of sheet text.
# Usage: bench/peers.sh [BUILD_DIR]   (default: build; built with the
# benchmarks on, as the default build is)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cd "$root"

cli=$build/cli/tracksmith-cli
sheetgen=$build/bench/tracksmith-sheetgen
walk=$build/bench/libcue_walk
bench_cue=$build/bench/bench_cue
bench_libcue=$build/bench/bench_libcue
for f in "$cli" "$sheetgen" "$walk" "$bench_cue" "$bench_libcue"; do
  [ -x "$f" ] || { echo "peers.sh: $f is missing; build with: cmake --build $build" >&2; exit 1; }
done
for t in hyperfine cuebreakpoints cueprint; do
  command -v "$t" >/dev/null || { echo "peers.sh: $t is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$sheetgen" "$work"

runs=${TS_BENCH_RUNS:-30}
# mean wall time in ms of each command, one line "name ms" each
time_commands() {
  local csv=$work/times.csv
  hyperfine -N --warmup 3 --runs "$runs" --export-csv "$csv" "$@" >/dev/null 2>&1
  awk -F, 'NR > 1 { printf "%s %.3f\n", $1, $2 * 1000 }' "$csv"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v limit="$2" 'BEGIN { print (r <= limit ? "met" : "MISSED") }'; }

echo "== Whole process (hyperfine, mean of $runs runs, ms)"
for sheet in realistic stress; do
  f=$work/$sheet.cue
  lines=$(wc -l <"$f")
  out=$(time_commands \
    -n normalize "$cli normalize $f" \
    -n cuebreakpoints "cuebreakpoints $f" \
    -n cueprint "cueprint $f" \
    -n libcue_walk "$walk $f")
  ours=$(awk '$1 == "normalize" { print $2 }' <<<"$out")
  fastest=$(awk '$1 != "normalize" { print $2, $1 }' <<<"$out" | sort -n | head -1)
  r=$(ratio "$ours" "${fastest%% *}")
  echo "-- $sheet.cue ($lines lines)"
  sed 's/^/   /' <<<"$out"
  echo "   normalize / fastest peer (${fastest#* }) = $r  [target <= 1.00: $(verdict "$r" 1.0)]"
done

f=$work/scale.cue
out=$(time_commands -n normalize "$cli normalize $f")
ms=$(awk '{ print $2 }' <<<"$out")
echo "-- scale.cue ($(wc -l <"$f") lines): normalize $ms ms  [target < 100 ms: $(verdict "$ms" 99.999)]"

echo
echo "== In process (Google Benchmark, median CPU time of 5 repetitions, us)"
median_cpu() { # binary filter -> "name cpu_us" lines for the medians
  "$1" --benchmark_filter="$2" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
       --benchmark_format=csv 2>/dev/null |
    awk -F, '/_median"?,/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); print $1, $4 }'
}
ours=$(median_cpu "$bench_cue" '^BM_(ReadRelayout|OpenRelayoutWrite)/')
theirs=$(median_cpu "$bench_libcue" '^BM_LibcueParse/')
sed 's/^/   /' <<<"$ours"
sed 's/^/   /' <<<"$theirs"
ours_r=$(awk '$1 == "BM_ReadRelayout/0" { print $2 }' <<<"$ours")
libcue_r=$(awk '$1 == "BM_LibcueParse/0" { print $2 }' <<<"$theirs")
r=$(ratio "$ours_r" "$libcue_r")
echo "   realistic: read + relayout / libcue parse = $r  [target <= 1.00: $(verdict "$r" 1.0)]"
ours_s=$(awk '$1 == "BM_ReadRelayout/1" { print $2 }' <<<"$ours")
libcue_s=$(awk '$1 == "BM_LibcueParse/1" { print $2 }' <<<"$theirs")
echo "   stress:    read + relayout / libcue parse = $(ratio "$ours_s" "$libcue_s")  (no target)"

echo
echo "== Heap of one read + relayout + write (bytes per byte of sheet text)"
"$bench_cue" --benchmark_filter='^BM_Heap/' --benchmark_format=csv 2>/dev/null |
  awk -F, 'NR == 1 { for (i = 1; i <= NF; ++i) { h = $i; gsub(/"/, "", h); col[h] = i }; next }
           { label = $col["label"]; gsub(/"/, "", label)
             peak = $col["peak_per_byte"]; all = $col["alloc_per_byte"]
             printf "   %-9s allocated %6.2f, peak live %6.2f  [target < 64: %s]\n", label, all, peak,
                    (all < 64 ? "met" : "MISSED") }'
