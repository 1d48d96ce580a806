#!/usr/bin/env bash
# Times tracksmith-cli verify --offline on an 80-minute FLAC image (16-bit
# stereo 44.1 kHz, made with sox and flac) of 12 tracks, against
# `flac -d -c -s IMAGE > /dev/null`, which only decodes it. The two take
# turns in each of RUNS runs (default 3), each after a sync, and each
# figure is the median, so the ratio holds even when the machine is busy.
# Prints a Markdown table.
#
#   bench/verify.sh [path/to/tracksmith-cli]
# Environment: MINUTES (default 80), TRACKS (default 12), RUNS (default 3),
# BENCH_DIR (default /var/tmp).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/cli/tracksmith-cli}
minutes=${MINUTES:-80}
tracks=${TRACKS:-12}
runs=${RUNS:-3}
[ -x "$cli" ] || { echo "no $cli: build first (cmake --build build)" >&2; exit 2; }
for tool in sox flac bc; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/deps.sh" >&2; exit 2; }
done

work=$(mktemp -d "${BENCH_DIR:-/var/tmp}/tracksmith-verify-XXXXXX")
trap 'rm -rf "$work"' EXIT
img=$work/image.flac
sheet=$work/image.cue

echo "making a ${minutes}-minute FLAC image with sox and flac..." >&2
sox -D -n -r 44100 -c 2 -b 16 "$work/image.wav" synth "$((minutes * 60))" pinknoise vol 0.3 synth sine amod 0.2 0.5
flac -s -5 -o "$img" "$work/image.wav"
rm "$work/image.wav"

{
  echo 'FILE "image.flac" WAVE'
  len=$((minutes * 60 * 75 / tracks))
  for ((t = 1; t <= tracks; t++)); do
    at=$(((t - 1) * len))
    printf '  TRACK %02d AUDIO\n' "$t"
    if ((t > 1)); then
      gap=$((at - 150))
      printf '    INDEX 00 %02d:%02d:%02d\n' $((gap / 4500)) $((gap / 75 % 60)) $((gap % 75))
    fi
    printf '    INDEX 01 %02d:%02d:%02d\n' $((at / 4500)) $((at / 75 % 60)) $((at % 75))
  done
} > "$sheet"

# Wall seconds and CPU seconds (user + system) of one command, children
# included. verify exits 1 when nothing is verified, as offline here.
measure() {
  local t0 t1 c0 c1 me=$BASHPID
  c0=$(awk '{ print $14 + $15 + $16 + $17 }' "/proc/$me/stat")
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1 || [ $? -eq 1 ] || { echo "failed: $*" >&2; exit 1; }
  t1=$(date +%s%N)
  c1=$(awk '{ print $14 + $15 + $16 + $17 }' "/proc/$me/stat")
  echo "$(echo "scale=3; ($t1 - $t0) / 1000000000" | bc) $(echo "scale=3; ($c1 - $c0) / $(getconf CLK_TCK)" | bc)"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

ours() { "$cli" verify "$sheet" --offline; }
decode() { flac -d -c -s "$img" > /dev/null; }

# Every track is read: the summary names them all.
summary=$("$cli" verify "$sheet" --offline | tail -n 1) || true
[ "$summary" = "0 of ${tracks} tracks verified" ] || { echo "verify did not read the image: $summary" >&2; exit 1; }

for ((i = 0; i < runs; i++)); do
  for name in ours decode; do
    sync
    m=$(measure "$name")
    echo "$m" >> "$work/$name.times"
    echo "run $((i + 1)) $name: wall, cpu $m" >&2
  done
done
declare -A wall cpu
for name in ours decode; do
  wall[$name]=$(awk '{ print $1 }' "$work/$name.times" | median)
  cpu[$name]=$(awk '{ print $2 }' "$work/$name.times" | median)
done

ratio() { echo "scale=2; $1 / $2" | bc; }
echo
echo "Image: ${minutes} min FLAC, ${tracks} tracks, $(nproc) cores, median of ${runs} runs"
echo
echo "| 80-minute FLAC image | wall time | tracksmith-cli / it | CPU time |"
echo "|---|---|---|---|"
echo "| tracksmith-cli verify --offline | ${wall[ours]} s | 1.00 | ${cpu[ours]} s |"
echo "| flac -d -c -s > /dev/null | ${wall[decode]} s | $(ratio "${wall[ours]}" "${wall[decode]}") | ${cpu[decode]} s |"
