#!/usr/bin/env bash
# Times tracksmith-cli split on an 80-minute CD image (16-bit stereo
# 44.1 kHz, made with sox) cut into 20 FLAC tracks, against shntool's
# shnsplit on the breakpoints cuebreakpoints gives for the same sheet, and
# against a plain ffmpeg loop over the same breakpoints, one track after
# the other. All three write FLAC at compression level 5. Each timing is
# the median of RUNS runs (default 3) in one go, each after a sync, so the
# ratios hold even when the machine is busy. Prints a Markdown table.
#
#   bench/split.sh [path/to/tracksmith-cli]
# Environment: MINUTES (default 80), TRACKS (default 20), RUNS (default 3),
# BENCH_DIR (default /var/tmp; must be on a disk, not in memory).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/cli/tracksmith-cli}
minutes=${MINUTES:-80}
tracks=${TRACKS:-20}
runs=${RUNS:-3}
[ -x "$cli" ] || { echo "no $cli: build first (cmake --build build)" >&2; exit 2; }
for tool in sox ffmpeg shnsplit cuebreakpoints flac bc; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/deps.sh" >&2; exit 2; }
done

work=$(mktemp -d "${BENCH_DIR:-/var/tmp}/tracksmith-split-XXXXXX")
trap 'rm -rf "$work"' EXIT
src=$work/image.wav
sheet=$work/image.cue

echo "making a ${minutes}-minute image with sox..." >&2
sox -D -n -r 44100 -c 2 -b 16 "$src" synth "$((minutes * 60))" pinknoise vol 0.3 synth sine amod 0.2 0.5

# Equal tracks; every track after the first has a 2-second gap (INDEX 00).
{
  echo 'PERFORMER "Bench"'
  echo 'TITLE "Split bench"'
  echo 'FILE "image.wav" WAVE'
  len=$((minutes * 60 * 75 / tracks))
  for ((t = 1; t <= tracks; t++)); do
    at=$(((t - 1) * len))
    printf '  TRACK %02d AUDIO\n    TITLE "Track %d"\n' "$t" "$t"
    if ((t > 1)); then
      gap=$((at - 150))
      printf '    INDEX 00 %02d:%02d:%02d\n' $((gap / 4500)) $((gap / 75 % 60)) $((gap % 75))
    fi
    printf '    INDEX 01 %02d:%02d:%02d\n' $((at / 4500)) $((at / 75 % 60)) $((at % 75))
  done
} > "$sheet"

# Wall seconds and CPU seconds (user + system) of one command, children
# included.
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

ours() { "$cli" split "$sheet" "$work/ours" --format flac; }
shn() {
  mkdir -p "$work/shn"
  cuebreakpoints "$sheet" | shnsplit -q -O always -d "$work/shn" -o flac "$src"
}
# The same cuts as the default gap rule: each file from its INDEX 01 to the
# next track's INDEX 01, by sample.
loop() {
  mkdir -p "$work/loop"
  local starts=(0) t
  while read -r bp; do
    local m=${bp%%:*} rest=${bp#*:}
    local s=${rest%%.*} f=${rest#*.}
    starts+=($(((10#$m * 60 + 10#$s) * 44100 + 10#$f * 588)))
  done < <(cuebreakpoints "$sheet")
  for ((t = 0; t < ${#starts[@]}; t++)); do
    local filter="atrim=start_sample=${starts[t]}"
    ((t + 1 < ${#starts[@]})) && filter+=":end_sample=${starts[t + 1]}"
    ffmpeg -v quiet -nostdin -y -i "$src" -af "$filter" -compression_level 5 "$work/loop/$((t + 1)).flac"
  done
}

# The tools take turns, so that a change in the machine's load falls on all
# three alike.
for ((i = 0; i < runs; i++)); do
  for name in ours shn loop; do
    rm -rf "${work:?}/$name"
    sync
    m=$(measure "$name")
    echo "$m" >> "$work/$name.times"
    echo "run $((i + 1)) $name: wall, cpu $m" >&2
  done
done
declare -A wall cpu
for name in ours shn loop; do
  wall[$name]=$(awk '{ print $1 }' "$work/$name.times" | median)
  cpu[$name]=$(awk '{ print $2 }' "$work/$name.times" | median)
done

# The track files decode to the same samples whichever tool cut them.
same=yes
for ((t = 1; t <= tracks; t++)); do
  a=$(ffmpeg -v quiet -i "$(ls "$work"/ours/"$(printf %02d "$t")"*.flac)" -f s16le - | md5sum)
  b=$(ffmpeg -v quiet -i "$work/shn/split-track$(printf %02d "$t").flac" -f s16le - | md5sum)
  [ "$a" = "$b" ] || same=no
done

ratio() { echo "scale=2; $1 / $2" | bc; }
echo
echo "Image: ${minutes} min, ${tracks} tracks, $(nproc) cores, median of ${runs} runs; samples equal to shnsplit's: ${same}"
echo
echo "| Split into FLAC | wall time | tracksmith-cli / it | CPU time |"
echo "|---|---|---|---|"
echo "| tracksmith-cli split | ${wall[ours]} s | 1.00 | ${cpu[ours]} s |"
echo "| shnsplit -o flac | ${wall[shn]} s | $(ratio "${wall[ours]}" "${wall[shn]}") | ${cpu[shn]} s |"
echo "| ffmpeg loop over the breakpoints | ${wall[loop]} s | $(ratio "${wall[ours]}" "${wall[loop]}") | ${cpu[loop]} s |"
