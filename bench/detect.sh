#!/usr/bin/env bash
# Times tracksmith-cli detect on an 80-minute FLAC (16-bit stereo 44.1 kHz,
# made with sox: songs of pink noise with fades, parted by 2 to 4 seconds of
# silence under a -60 dB noise floor) against ffmpeg's own silence filter on
# the same file (ffmpeg -i FILE -af silencedetect -f null -). Each timing is
# the median of RUNS runs (default 3), the two taking turns so that a change
# in the machine's load falls on both alike. Also counts the song starts
# detect finds within 0.2 s. Prints a Markdown table.
#
#   bench/detect.sh [path/to/tracksmith-cli]
# Environment: MINUTES (default 80), RUNS (default 3), BENCH_DIR (default
# /var/tmp).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/cli/tracksmith-cli}
minutes=${MINUTES:-80}
runs=${RUNS:-3}
[ -x "$cli" ] || { echo "no $cli: build first (cmake --build build)" >&2; exit 2; }
for tool in sox ffmpeg flac cuebreakpoints bc; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/deps.sh" >&2; exit 2; }
done

work=$(mktemp -d "${BENCH_DIR:-/var/tmp}/tracksmith-detect-XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "making a ${minutes}-minute recording with sox..." >&2
# Songs of 150 to 330 s and gaps of 2 to 4 s, in a fixed pattern, until the
# length is reached; the true starts go to starts.txt.
total=$((minutes * 60))
at=0
n=0
parts=()
: > "$work/starts.txt"
while ((at < total)); do
  len=$((150 + (n * 37) % 181))
  ((at + len > total)) && len=$((total - at))
  sox -D -n -r 44100 -c 2 -b 16 "$work/song$n.wav" synth "$len" pinknoise synth sine amod 0.3 0.6 \
    gain -10 fade t 0.5 "$len" 2
  parts+=("$work/song$n.wav")
  at=$((at + len))
  ((at >= total)) && break
  gap=$((2 + n % 3))
  sox -D -n -r 44100 -c 2 -b 16 "$work/gap$n.wav" trim 0 "$gap"
  parts+=("$work/gap$n.wav")
  at=$((at + gap))
  echo "$at" >> "$work/starts.txt"
  n=$((n + 1))
done
sox -D "${parts[@]}" "$work/songs.wav"
sox -D -n -r 44100 -c 2 -b 16 "$work/floor.wav" synth "$at" whitenoise gain -60
sox -D -m "$work/songs.wav" "$work/floor.wav" "$work/mixed.wav"
flac -s -f -o "$work/rec.flac" "$work/mixed.wav"
rm -f "$work"/song*.wav "$work"/gap*.wav "$work/songs.wav" "$work/floor.wav" "$work/mixed.wav"
src=$work/rec.flac

measure() {
  local t0 t1 c0 c1 me=$BASHPID
  c0=$(awk '{ print $14 + $15 + $16 + $17 }' "/proc/$me/stat")
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  t1=$(date +%s%N)
  c1=$(awk '{ print $14 + $15 + $16 + $17 }' "/proc/$me/stat")
  echo "$(echo "scale=3; ($t1 - $t0) / 1000000000" | bc) $(echo "scale=3; ($c1 - $c0) / $(getconf CLK_TCK)" | bc)"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

ours() { "$cli" detect "$src" > "$work/detected.cue"; }
peer() { ffmpeg -v info -nostdin -i "$src" -af silencedetect=noise=-45dB:d=1.75 -f null - 2> "$work/peer.log"; }

for ((i = 0; i < runs; i++)); do
  for name in ours peer; do
    sync
    m=$(measure "$name")
    echo "$m" >> "$work/$name.times"
    echo "run $((i + 1)) $name: wall, cpu $m" >&2
  done
done
declare -A wall cpu
for name in ours peer; do
  wall[$name]=$(awk '{ print $1 }' "$work/$name.times" | median)
  cpu[$name]=$(awk '{ print $2 }' "$work/$name.times" | median)
done

# Each true start against the nearest INDEX 01 detect proposed.
ours
cuebreakpoints "$work/detected.cue" | awk -F'[:.]' '{ print $1 * 60 + $2 + $3 / 75 }' > "$work/found.txt"
within=0
while read -r s; do
  best=$(awk -v s="$s" 'BEGIN { b = 1e9 } { d = $1 - s; if (d < 0) d = -d; if (d < b) b = d } END { print b }' \
    "$work/found.txt")
  (($(echo "$best <= 0.2" | bc))) && within=$((within + 1))
done < "$work/starts.txt"
trues=$(wc -l < "$work/starts.txt")
found=$(wc -l < "$work/found.txt")

ratio() { echo "scale=2; $1 / $2" | bc; }
echo
echo "Recording: ${minutes} min FLAC, ${trues} song starts; detect proposed ${found}, ${within} within 0.2 s;" \
  "$(nproc) cores, median of ${runs} runs"
echo
echo "| Silence detection | wall time | tracksmith-cli / it | CPU time |"
echo "|---|---|---|---|"
echo "| tracksmith-cli detect | ${wall[ours]} s | 1.00 | ${cpu[ours]} s |"
echo "| ffmpeg -af silencedetect | ${wall[peer]} s | $(ratio "${wall[ours]}" "${wall[peer]}") | ${cpu[peer]} s |"
