#!/usr/bin/env bash
# Times tracksmith-cli's wave operations on an 80-minute 16-bit stereo file
# (about 850 MB, made with sox) against dd moving the same bytes in 32 KiB
# blocks, and prints the figures as a Markdown table:
#   - truncate at 70:00 against dd bs=32k copying the same bytes;
#   - silence over 10 minutes against dd if=/dev/zero bs=32k conv=notrunc;
#   - the header-only parse (waveinfo) on the big file and on a tiny one;
#   - peak memory of the truncate (/usr/bin/time);
#   - silence with a cold page cache against dd writing the same number of
#     bytes from the 4 KiB-aligned offset at or after the interval's start.
# Every timing is the median of RUNS runs (default 3), each started after a
# sync so that no run pays for the previous one's writeback. The cold-cache part
# needs root to drop the page cache. Big files are deleted at the end.
#
#   bench/wave_ops.sh [path/to/tracksmith-cli]
# Environment: MINUTES (default 80), RUNS (default 3), BENCH_DIR (default
# /var/tmp; must be on a disk, not in memory).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/cli/tracksmith-cli}
minutes=${MINUTES:-80}
runs=${RUNS:-3}
[ -x "$cli" ] || { echo "no $cli: build first (cmake --build build)" >&2; exit 2; }
for tool in sox dd /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/deps.sh" >&2; exit 2; }
done

work=$(mktemp -d "${BENCH_DIR:-/var/tmp}/tracksmith-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
src=$work/src.wav
tiny=$work/tiny.wav

# Seconds of wall time of one command, to the microsecond.
elapsed() {
  local t0 t1
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1
  t1=$(date +%s%N)
  echo "scale=6; ($t1 - $t0) / 1000000000" | bc
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Median over COUNT runs of: the setup command (untimed), then the timed one.
timed_n() {
  local count=$1 setup=$2; shift 2
  local i
  for ((i = 0; i < count; i++)); do
    eval "$setup"
    elapsed "$@"
  done | median
}
timed() { timed_n "$runs" "$@"; }

drop_caches() { sync; echo 3 > /proc/sys/vm/drop_caches; }

echo "making a ${minutes}-minute 16-bit stereo file with sox..." >&2
sox -D -n -r 44100 -c 2 -b 16 "$src" synth "$((minutes * 60))" sine 441.3 vol 0.5
sox -D -n -r 44100 -c 2 -b 16 "$tiny" synth 0.01 sine 441.3
size=$(stat -c %s "$src")
data_start=44
align=4

# Truncate at 70:00 (or 7/8 of a shorter file) keeps N + 1 frames.
cut_min=$((minutes * 7 / 8))
cut_frames=$((cut_min * 60 * 44100 + 1))
cut_bytes=$((data_start + cut_frames * align))
out=$work/out.wav
ddout=$work/dd.wav

# Warm the cache with the whole source first.
cat "$src" >/dev/null

t_trunc=$(timed "rm -f '$out'; sync" "$cli" truncate "$src" "$cut_min:00:00" "$out")
[ "$(stat -c %s "$out")" -eq "$cut_bytes" ] || { echo "truncate wrote $(stat -c %s "$out") bytes, expected $cut_bytes" >&2; exit 1; }
t_dd_copy=$(timed "rm -f '$ddout'; sync" dd if="$src" of="$ddout" bs=32k count="$cut_bytes" iflag=count_bytes status=none)
t_dd_copy_sync=$(timed "rm -f '$ddout'; sync" dd if="$src" of="$ddout" bs=32k count="$cut_bytes" iflag=count_bytes conv=fsync status=none)
rm -f "$ddout"

# Peak memory of one truncate.
rm -f "$out"
/usr/bin/time -f %M -o "$work/rss" "$cli" truncate "$src" "$cut_min:00:00" "$out"
rss_kb=$(tail -1 "$work/rss")
rm -f "$out"

# Silence of 10 minutes starting at 10:00 (or at the start of a short file).
s_min=$((minutes >= 20 ? 10 : 0))
s_len=$((minutes >= 20 ? 10 : minutes / 2))
s_first=$((s_min * 60 * 44100))
s_bytes=$((s_len * 60 * 44100 * align))
s_off=$((data_start + s_first * align))
s_aligned=$(((s_off + 4095) / 4096 * 4096))
t_sil=$(timed "sync" "$cli" silence "$src" "$s_min:00:00" "$((s_min + s_len)):00:00")
t_dd_sil=$(timed "sync" dd if=/dev/zero of="$src" bs=32k seek="$s_off" count="$s_bytes" \
  oflag=seek_bytes iflag=count_bytes conv=notrunc status=none)

# Header-only parse, timed inside the process: starting a process costs
# more than the parse here.
parse_us() { "$cli" waveinfo --repeat 1000 "$1" | sed -n 's/^parse time: \([0-9.]*\) us.*/\1/p'; }
p_big=$(parse_us "$src")
p_tiny=$(parse_us "$tiny")
t_info=$(timed_n $((runs * 5)) ":" "$cli" waveinfo "$src")
t_help=$(timed_n $((runs * 5)) ":" "$cli" help)

# Cold page cache.
cold=no
if [ -w /proc/sys/vm/drop_caches ] || [ "$(id -u)" -eq 0 ]; then
  if drop_caches 2>/dev/null; then
    cold=yes
    t_sil_cold=$(timed "drop_caches" "$cli" silence "$src" "$s_min:00:00" "$((s_min + s_len)):00:00")
    t_dd_sil_cold=$(timed "drop_caches" dd if=/dev/zero of="$src" bs=32k seek="$s_aligned" count="$s_bytes" \
      oflag=seek_bytes iflag=count_bytes conv=notrunc status=none)
    t_dd_sil_cold_unaligned=$(timed "drop_caches" dd if=/dev/zero of="$src" bs=32k seek="$s_off" count="$s_bytes" \
      oflag=seek_bytes iflag=count_bytes conv=notrunc status=none)
  fi
fi

ratio() { echo "scale=2; $1 / $2" | bc; }
ms() { echo "scale=2; $1 * 1000 / 1" | bc; }

cat <<TABLE
Source: ${minutes} min, 16-bit stereo 44.1 kHz, $size bytes; median of $runs runs; $(nproc) cores.

| Operation | tracksmith-cli | dd | ratio |
|---|---|---|---|
| truncate at ${cut_min}:00 ($cut_bytes bytes) | ${t_trunc} s | ${t_dd_copy} s (bs=32k) | $(ratio "$t_trunc" "$t_dd_copy") |
| same, dd with conv=fsync (truncate syncs its copy before the rename) | ${t_trunc} s | ${t_dd_copy_sync} s | $(ratio "$t_trunc" "$t_dd_copy_sync") |
| silence ${s_min}:00 to $((s_min + s_len)):00 ($s_bytes bytes), warm cache | ${t_sil} s | ${t_dd_sil} s (conv=notrunc) | $(ratio "$t_sil" "$t_dd_sil") |
TABLE
if [ "$cold" = yes ]; then
  cat <<TABLE
| silence, cold cache, dd from the 4 KiB-aligned offset $s_aligned | ${t_sil_cold} s | ${t_dd_sil_cold} s | $(ratio "$t_sil_cold" "$t_dd_sil_cold") |
| silence, cold cache, dd from the unaligned offset $s_off | ${t_sil_cold} s | ${t_dd_sil_cold_unaligned} s | $(ratio "$t_sil_cold" "$t_dd_sil_cold_unaligned") |
TABLE
else
  echo "| silence, cold cache | not measured: dropping the page cache needs root | | |"
fi
cat <<TABLE

| Measure | Value |
|---|---|
| IsWaveFile on the $size-byte file (mean of 1000, in process) | $p_big us |
| IsWaveFile on a 10 ms file (mean of 1000, in process) | $p_tiny us |
| whole waveinfo process on the big file | $(ms "$t_info") ms |
| tracksmith-cli help (process start only) | $(ms "$t_help") ms |
| peak resident memory of the truncate | $rss_kb KiB |
TABLE
