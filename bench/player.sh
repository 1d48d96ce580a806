#!/usr/bin/env bash
# The wave player's speed targets in the editor, offscreen, playing through
# SDL's disk driver into /dev/null (real-time paced, no sound card needed):
#   - cursor move to another wave file until its first position report < 50 ms;
#   - a seek while playing heard (the output gets the new samples) < 60 ms;
#   - processor time while playing < 5% of one core.
# Then the same on FLAC files through the decoder: first samples < 50 ms, a
# seek heard < 30 ms, processor time < 2% of one core.
# Usage: bench/player.sh [BUILD_DIR] [SECONDS_OF_PLAYING]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
bench=$build/bench/bench_player
[ -x "$bench" ] || { echo "player.sh: $bench is missing; build with: cmake --build $build" >&2; exit 1; }
cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$cfg
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-disk} SDL_DISKAUDIOFILE=${SDL_DISKAUDIOFILE:-/dev/null}
for format in wav flac; do
  "$bench" "${2:-10}" "$format" 2> >(grep -v 'disk i/o audio driver\|Writing to file' >&2)
done
