#!/usr/bin/env bash
# Times writing a sheet into the CUESHEET tag of one album FLAC:
# tracksmith-cli embed, which edits a complete copy of the file and renames
# it over the original, against metaflac, which writes
# the tag in place through the padding (replacing the CUESHEET comment, as
# embed does). Each timing is the median of RUNS
# runs in one go, each after a sync, so the ratio holds on a busy machine.
# Prints a Markdown table.
#
#   bench/embed.sh [path/to/tracksmith-cli]
# Environment: MINUTES (default 60), RUNS (default 5), BENCH_DIR (default
# /var/tmp; must be on a disk, not in memory).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/cli/tracksmith-cli}
minutes=${MINUTES:-60}
runs=${RUNS:-5}
[ -x "$cli" ] || { echo "no $cli: build first (cmake --build build)" >&2; exit 2; }
for tool in sox flac metaflac; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/deps.sh" >&2; exit 2; }
done

work=$(mktemp -d "${BENCH_DIR:-/var/tmp}/tracksmith-embed-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
echo "making a ${minutes}-minute album FLAC with sox and flac..." >&2
sox -D -n -r 44100 -c 2 -b 16 album.wav synth "$((minutes * 60))" pinknoise vol 0.3
flac --silent album.wav -o album.flac
rm album.wav
{
  echo 'FILE "album.flac" WAVE'
  for ((t = 1; t <= 15; t++)); do
    printf '  TRACK %02d AUDIO\n    INDEX 01 %02d:00:00\n' "$t" "$(((t - 1) * minutes / 15))"
  done
} >album.cue

now() { date +%s.%N; }
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
time_runs() { # command...
  for ((r = 0; r < runs; r++)); do
    sync
    local start end
    start=$(now)
    "$@" >/dev/null 2>&1
    end=$(now)
    echo "$end - $start" | bc -l
  done | median
}

ours=$(time_runs "$cli" embed album.cue)
peer=$(time_runs metaflac --remove-tag=CUESHEET --set-tag-from-file=CUESHEET=album.cue album.flac)
size=$(du -m album.flac | cut -f1)
printf '| %s MB FLAC | tracksmith-cli embed | metaflac --remove-tag --set-tag-from-file | ratio |\n' "$size"
printf '|---|---|---|---|\n'
printf '| median of %d | %.3f s | %.3f s | %.1fx |\n' "$runs" "$ours" "$peer" "$(echo "$ours / $peer" | bc -l)"
