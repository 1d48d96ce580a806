#!/usr/bin/env bash
# The waveform panel's speed targets, offscreen:
#   - peaks of an 80-minute CD-quality wave file < 1.5 s;
#   - the same peaks from the cache < 50 ms;
#   - one painted frame of a 1,000-pixel-wide panel < 8 ms at any zoom.
# The 80-minute file (847 MB) is made once with sox and kept in
# ${TS_BENCH_DIR:-/tmp}/tracksmith-bench-80min.wav.
# Usage: bench/waveform.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
bench=$build/bench/bench_waveform
[ -x "$bench" ] || { echo "waveform.sh: $bench is missing; build with: cmake --build $build" >&2; exit 1; }
command -v sox >/dev/null || { echo "waveform.sh: sox is missing (scripts/deps.sh installs it)" >&2; exit 1; }
wave=${TS_BENCH_DIR:-/tmp}/tracksmith-bench-80min.wav
if [ ! -f "$wave" ]; then
  echo "== Making $wave (80 minutes, 44100 Hz, 16-bit stereo)"
  sox -V1 -n -r 44100 -c 2 -b 16 "$wave" synth 4800 pinknoise vol 0.5 tremolo 0.2 90
fi
export TS_BENCH_WAVE=$wave
"$bench" --benchmark_repetitions="${TS_BENCH_RUNS:-3}" --benchmark_report_aggregates_only=true 2>/dev/null \
  | awk '/_median/ { printf "   %s %s %s\n", $1, $2, $3 }'
