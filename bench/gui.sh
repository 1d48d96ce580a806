#!/usr/bin/env bash
# The editor's speed targets, offscreen:
#   - process start to the first painted window with the demo sheet < 400 ms
#     (whole process of the start-up probe, which ends at that paint);
#   - a full update of the listing of a 99-track sheet < 30 ms;
#   - one move of the line cursor < 5 ms.
# Usage: bench/gui.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cd "$root"
probe=$build/bench/tracksmith-startup-probe
bench=$build/bench/bench_gui
for f in "$probe" "$bench"; do
  [ -x "$f" ] || { echo "gui.sh: $f is missing; build with: cmake --build $build" >&2; exit 1; }
done
command -v hyperfine >/dev/null || { echo "gui.sh: hyperfine is missing (scripts/deps.sh installs it)" >&2; exit 1; }
cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$cfg

echo "== Start-up to the first painted window (hyperfine, whole process)"
hyperfine -N --warmup 3 --runs "${TS_BENCH_RUNS:-20}" --export-csv "$cfg/start.csv" \
  "$probe samples/demo.cue" >/dev/null 2>&1
awk -F, 'NR == 2 { ms = $2 * 1000; printf "   mean %.1f ms, min %.1f ms  [target < 400 ms: %s]\n", ms, $7 * 1000, (ms < 400 ? "met" : "MISSED") }' "$cfg/start.csv"

echo "== Listing (Google Benchmark, median of 5 repetitions)"
"$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null \
  | awk '/_median/ { printf "   %s %s %s\n", $1, $2, $3 }'
