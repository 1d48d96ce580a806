#!/usr/bin/env bash
# Times tracksmith-cli join and split on a disc image in Redump's layout
# (one BINARY file per track: a MODE2/2352 data track, then audio tracks
# with two-second INDEX 00 gaps, all random bytes) against cat copying the
# same bytes in the same run. Like cat, tracksmith-cli leaves the disk
# writes to the system's write-back; cat is also timed followed by `sync` of
# the file it wrote, for a comparison with a copy that waits for the disk.
# Each timing is the median of
# RUNS runs (default 5), each after a sync, with the sources in the page
# cache. Prints a Markdown table.
#
#   bench/image.sh [path/to/tracksmith-cli]
# Environment: MEGABYTES (default 700), TRACKS (default 10), RUNS (default 5),
# BENCH_DIR (default /var/tmp; must be on a disk, not in memory).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/cli/tracksmith-cli}
megabytes=${MEGABYTES:-700}
tracks=${TRACKS:-10}
runs=${RUNS:-5}
[ -x "$cli" ] || { echo "no $cli: build first (cmake --build build)" >&2; exit 2; }
command -v bc >/dev/null || { echo "bc is missing: run scripts/deps.sh" >&2; exit 2; }

work=$(mktemp -d "${BENCH_DIR:-/var/tmp}/tracksmith-image-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/dump"

# The data track takes half the bytes, the audio tracks share the rest.
sectors=$((megabytes * 1024 * 1024 / 2352))
data=$((sectors / 2))
audio=$(((sectors - data) / (tracks - 1)))
echo "making a ${megabytes} MB image of $tracks tracks..." >&2
sheet=$work/dump/Game.cue
: > "$sheet"
names=()
for ((t = 1; t <= tracks; t++)); do
  if ((tracks >= 10)); then n=$(printf %02d "$t"); else n=$t; fi
  name="Game (Track $n).bin"
  names+=("$work/dump/$name")
  if ((t == 1)); then count=$data; else count=$audio; fi
  head -c $((count * 2352)) /dev/urandom > "$work/dump/$name"
  {
    printf 'FILE "%s" BINARY\n' "$name"
    if ((t == 1)); then
      printf '  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n'
    else
      printf '  TRACK %02d AUDIO\n    INDEX 00 00:00:00\n    INDEX 01 00:02:00\n' "$t"
    fi
  } >> "$sheet"
done
cat "${names[@]}" > /dev/null

seconds() {
  local t0 t1
  sync
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  t1=$(date +%s%N)
  echo "scale=3; ($t1 - $t0) / 1000000000" | bc
}
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.3f", v[int((NR + 1) / 2)] }'; }
cat_join() { cat "${names[@]}" > "$work/cat.bin"; }
cat_join_sync() { cat "${names[@]}" > "$work/cat.bin" && sync "$work/cat.bin"; }
cat_copy() { cat "$work/Game.bin" > "$work/copy.bin"; }
cat_copy_sync() { cat "$work/Game.bin" > "$work/copy.bin" && sync "$work/copy.bin"; }
our_join() { "$cli" join "$sheet" "$work/Game.bin"; }
our_split() { "$cli" split "$work/Game.cue" "$work/split"; }

declare -A times
for ((r = 1; r <= runs; r++)); do
  rm -f "$work/cat.bin"; times[cat_join]+="$(seconds cat_join) "
  rm -f "$work/cat.bin"; times[cat_join_sync]+="$(seconds cat_join_sync) "
  rm -f "$work/cat.bin" "$work/Game.bin" "$work/Game.cue"; times[our_join]+="$(seconds our_join) "
  rm -f "$work/copy.bin"; times[cat_copy]+="$(seconds cat_copy) "
  rm -f "$work/copy.bin"; times[cat_copy_sync]+="$(seconds cat_copy_sync) "
  rm -f "$work/copy.bin"; rm -rf "$work/split"; times[our_split]+="$(seconds our_split) "
done
for ((t = 0; t < tracks; t++)); do
  cmp -s "${names[t]}" "$work/split/$(basename "${names[t]}")" || { echo "split differs: ${names[t]}" >&2; exit 1; }
done

m() { tr ' ' '\n' <<< "${times[$1]}" | grep . | median; }
ratio() { echo "scale=2; $1 / $2" | bc; }
echo "| $megabytes MB, $tracks tracks | wall time | tracksmith-cli / cat | tracksmith-cli / (cat + sync) |"
echo "|---|---|---|---|"
echo "| \`tracksmith-cli join\` | $(m our_join) s | $(ratio "$(m our_join)" "$(m cat_join)") | $(ratio "$(m our_join)" "$(m cat_join_sync)") |"
echo "| \`cat\` the track files | $(m cat_join) s | | |"
echo "| \`cat\` the track files, \`sync\` | $(m cat_join_sync) s | | |"
echo "| \`tracksmith-cli split\` | $(m our_split) s | $(ratio "$(m our_split)" "$(m cat_copy)") | $(ratio "$(m our_split)" "$(m cat_copy_sync)") |"
echo "| \`cat\` the image | $(m cat_copy) s | | |"
echo "| \`cat\` the image, \`sync\` | $(m cat_copy_sync) s | | |"
