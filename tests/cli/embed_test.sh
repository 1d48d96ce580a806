#!/usr/bin/env bash
# tracksmith-cli extract and embed on FLAC and WavPack files made with sox,
# flac, metaflac and wavpack; what they write read back with the same
# tools and with libcue's cuebreakpoints.
set -u
cli=$1
data=$2
for tool in sox flac metaflac wavpack wvunpack cuebreakpoints md5sum; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
failures=0
passes=0

expect() { # name, expected, actual
  if [ "$2" == "$3" ]; then
    passes=$((passes + 1))
  else
    failures=$((failures + 1))
    printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
  fi
}

run() { # args...: sets rc, out, err
  "$cli" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  out=$(cat "$tmp/out")
  err=$(cat "$tmp/err")
}

cd "$tmp"
sox -n -r 44100 -b 16 -c 2 source.wav synth 40 sine 440 sine 661 vol 0.3
mkdir music
flac --silent source.wav -o music/album.flac

# A CUESHEET block: metaflac's own export, but for the FILE line.
metaflac --import-cuesheet-from="$data/block-pregaps.cue" music/album.flac
run extract music/album.flac
expect "extract block exit" 0 "$rc"
expect "extract block text" "$(metaflac --export-cuesheet-to=- music/album.flac | sed 's/^FILE .*/FILE "album.flac" WAVE/')" "$out"
expect "extract block quiet" "" "$err"

# The CUESHEET tag wins; it reads in libcue beside the file.
metaflac --set-tag-from-file=CUESHEET="$data/eac-range.cue" music/album.flac
run extract music/album.flac
expect "extract tag exit" 0 "$rc"
expect "extract tag text" "$(tr -d '\r' <"$data/eac-range.cue" | sed 's/^FILE .*/FILE "album.flac" WAVE/')" "$out"
printf '%s\n' "$out" >music/extracted.cue
expect "libcue reads the extracted sheet" "$(printf '0:12.33\n0:25.74')" "$(cuebreakpoints music/extracted.cue)"

# embed: the sheet's FILE line names the audio file by its own name.
audio=$(flac --silent -d -c --force-raw-format --endian=little --sign=signed music/album.flac | md5sum)
printf 'REM COMMENT "edited"\nFILE "music/album.flac" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:20:00\n' >edited.cue
run embed edited.cue
expect "embed exit" 0 "$rc"
expect "embed says where" "Embed Sheet in Audio File: The sheet is embedded in \"music/album.flac\"." "$err"
expect "embed tag" "$(printf 'CUESHEET=REM COMMENT "edited"\r\nFILE "album.flac" WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    INDEX 01 00:20:00\r')" "$(metaflac --export-tags-to=- music/album.flac)"
expect "embed keeps the audio" "$audio" "$(flac --silent -d -c --force-raw-format --endian=little --sign=signed music/album.flac | md5sum)"
flac --silent -t music/album.flac
expect "flac -t after embed" 0 "$?"
expect "embed keeps the block" "$(metaflac --export-cuesheet-to=- music/album.flac | sed -n 3p)" "  TRACK 01 AUDIO"
run extract music/album.flac
expect "extract after embed warns" "Warning: Warning:  The CUESHEET Vorbis comment and the CUESHEET block of \"album.flac\" differ; the tag's sheet is opened." "$err"

# WavPack's APEv2 tag.
wavpack -q -y source.wav -o album.wv
printf 'FILE "album.wv" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:30:00\n' >wv.cue
run embed wv.cue
expect "embed wv exit" 0 "$rc"
expect "wvunpack reads the sheet" "$(printf 'FILE "album.wv" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:30:00')" "$(wvunpack -q -c album.wv)"
wvunpack -q -v album.wv
expect "wvunpack verifies" 0 "$?"

# Refusals: the file stays as it was.
before=$(md5sum <music/album.flac)
chmod 0444 music/album.flac
run embed edited.cue
expect "read-only exit" 1 "$rc"
expect "read-only message" "Error: Cannot save \"music/album.flac\": The file is read-only" "$err"
expect "read-only file kept" "$before" "$(md5sum <music/album.flac)"
expect "no copy left" "album.flac extracted.cue" "$(ls music | tr '\n' ' ' | sed 's/ $//')"

printf 'FILE a.flac WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\nFILE b.flac WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n' >two.cue
run embed two.cue
expect "two files exit" 1 "$rc"
expect "two files message" "Embed Sheet in Audio File: Cannot embed the sheet: only a sheet with one FILE line can be embedded, and this one has 2." "$err"

run extract source.wav
expect "wave exit" 1 "$rc"
expect "wave message" "Error: Cannot open \"source.wav\": it is not a FLAC, WavPack or APE file" "$err"
run extract missing.flac
expect "missing exit" 1 "$rc"
expect "missing message" "Error: Cannot open \"missing.flac\": No such file or directory" "$err"
run extract
expect "usage exit" 2 "$rc"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
