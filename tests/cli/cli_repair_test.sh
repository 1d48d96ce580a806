#!/usr/bin/env bash
# tracksmith-cli relink and check --readers on folders of renamed,
# re-encoded and re-cased audio that sox makes; the relinked sheets are
# read back with cuebreakpoints and their files with ffprobe.
set -u
cli=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
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

run() { # args...: sets rc, out (text, CR removed), err
  "$cli" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  out=$(tr -d '\r' <"$tmp/out")
  err=$(cat "$tmp/err")
}

audio() { # file: ten seconds of CD audio
  mkdir -p "$(dirname "$1")"
  sox -n -r 44100 -b 16 -c 2 "$1" synth 10 sine 440 || { echo "sox failed for $1"; exit 1; }
}

cd "$tmp"

# An encoder renamed and re-cased the image; a bonus file went into a
# subfolder; one file is gone for good.
mkdir rip && cd rip
audio "artist - album.flac"
audio "Extras/Bonus.wv"
printf 'PERFORMER "Artist"\r\nFILE "Artist - Album.wav" WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    INDEX 01 00:05:00\r\nFILE Bonus.wav WAVE\r\n  TRACK 03 AUDIO\r\n    INDEX 01 00:00:00\r\n' >album.cue
run relink album.cue
expect "relink exit" 0 "$rc"
expect "relink sheet" "$(printf 'PERFORMER "Artist"\nFILE "artist - album.flac" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:05:00\nFILE Extras/Bonus.wv WAVE\n  TRACK 03 AUDIO\n    INDEX 01 00:00:00')" "$out"
expect "relink changes" "$(printf 'FILE "Artist - Album.wav" now names "artist - album.flac" (other letter case and extension)\nFILE "Bonus.wav" now names "Extras/Bonus.wv" (found in subfolder "Extras")')" "$err"
# What relink prints is a sheet libcue reads, naming files that are there.
"$cli" relink album.cue >fixed.cue 2>/dev/null
expect "relinked sheet reads in libcue" "$(printf '0:05.00')" "$(cuebreakpoints fixed.cue 2>&1)"
for f in "artist - album.flac" "Extras/Bonus.wv"; do
  expect "relinked $f decodes" "441000" "$(ffprobe -v error -show_entries stream=duration_ts -of csv=p=0 "$f")"
done
# The sheet itself is not touched.
expect "relink leaves the sheet" "FILE \"Artist - Album.wav\" WAVE" "$(grep -a '^FILE "Artist' album.cue | tr -d '\r')"

printf 'FILE a.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\nFILE gone.wav WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n' >lost.cue
run relink lost.cue
expect "lost exit" 1 "$rc"
expect "lost message" "$(printf 'Error: "a.wav": no such file, and no audio file was found to take its place\nError: "gone.wav": no such file, and no audio file was found to take its place')" "$err"
expect "lost sheet printed as it was" "$(printf 'FILE a.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\nFILE gone.wav WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00')" "$out"
cd ..

run relink
expect "relink usage" 2 "$rc"
run relink nothere.cue
expect "relink missing sheet" 1 "$rc"

# check without --readers prints what it always printed; with it, one line
# per finding.
mkdir chk && cd chk
audio "album.flac"
printf 'CATALOG 4006381333932\r\nTITLE Live at the Hall\r\nFILE album.flac FLAC\r\n  TRACK 01 AUDIO\r\n    ISRC US-RC1-76-07839\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    INDEX 01 00:12:00\r\n' >album.cue
run check album.cue
expect "plain check exit" 0 "$rc"
expect "plain check output" "" "$out$err"
run check album.cue --readers
expect "readers exit" 1 "$rc"
expect "readers output" "$(printf '%s\n' \
  'Line 1: warning: The CATALOG number "4006381333932" has a wrong EAN/UPC check digit [disc databases (MusicBrainz, Discogs), barcode lookups]' \
  'Line 2: error: TITLE value with blanks is not in double quotes [libcue (cueprint, cuebreakpoints), cdrdao]' \
  'Line 3: error: The FILE type word "FLAC" is refused [libcue (cueprint, cuebreakpoints), cdrdao]' \
  'Line 5: error: The ISRC "US-RC1-76-07839" is not of the form CCXXXYYNNNNN [cdrdao]' \
  'Line 8: error: INDEX 01 at 00:12:00 is past the end of "album.flac" (00:10:00 long) [players, splitters (shntool, flacon), cdrdao]')" "$out"
# What it says of the peers is what they do.
case "$(cuebreakpoints album.cue 2>&1 >/dev/null)" in *"syntax error"*) passes=$((passes + 1)) ;; *) failures=$((failures + 1)); echo "FAIL libcue takes the sheet" ;; esac
case "$(cdrdao show-toc album.cue 2>&1)" in *"ISRC must be 12 characters"*|*"Unsupported file type"*|*"Unknown command"*) passes=$((passes + 1)) ;; *) failures=$((failures + 1)); echo "FAIL cdrdao takes the sheet" ;; esac
audio "clean.wav"
printf 'FILE clean.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:05:00\n' >clean.cue
run check clean.cue --readers
expect "clean exit" 0 "$rc"
expect "clean output" "" "$out$err"
run check clean.cue --readers --burn
expect "clean for burning" "" "$out"
run check clean.cue --readers --frobnicate
expect "readers usage" 2 "$rc"
cd ..

echo "cli repairs: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
