#!/usr/bin/env bash
# tracksmith-cli normalize/check: exit codes, standard output and the one
# line per message box on standard error.
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

run() { # args...: sets rc, out, err
  "$cli" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  out=$(od -An -c "$tmp/out" | tr -s ' ')
  err=$(cat "$tmp/err")
}

cd "$tmp"
printf 'REM x\nFILE A.WAV WAVE\nTRACK 3 AUDIO ; hi\nINDEX 1 0:2:0\nSUBINDEX Y\n' >good.cue
run normalize good.cue
expect "normalize exit" 0 "$rc"
expect "normalize bytes" "$(printf 'REM x\r\nFILE A.WAV WAVE\r\n  TRACK 01 AUDIO                ; hi\r\n    INDEX 01 00:00:00\r\n    INDEX 02 00:02:00\r\nSUBINDEX Y\r\n' | od -An -c | tr -s ' ')" "$out"
expect "normalize warning" "Warning: Warning at Line 5:  Ignoring line" "$err"

run check good.cue
expect "check exit" 0 "$rc"
expect "check prints nothing" "" "$out"

printf 'hello\n' >prose.cue
run normalize prose.cue
expect "not a sheet exit" 1 "$rc"
expect "not a sheet stdout" "" "$out"
expect "not a sheet message" "$(printf 'Error: The file prose.cue\ndoes not appear to be a cue sheet')" "$err"

printf 'FILE A.WAV WAVE\nTRACK 1 AUDIO\nPREGAP 1\nPREGAP 2\n' >twice.cue
run check ./twice.cue
expect "structure exit" 1 "$rc"
expect "structure message" "Error: Line 4:  Only one Pregap allowed per track" "$err"

run normalize missing.cue
expect "missing exit" 1 "$rc"
expect "missing message" 'Error: Cannot open "missing.cue": No such file or directory' "$err"

run check .
expect "folder exit" 1 "$rc"
expect "folder message" 'Error: Cannot open ".": Is a directory' "$err"

# A FIFO is refused at once instead of blocking the read.
mkfifo pipe.cue
"$cli" check pipe.cue >"$tmp/out" 2>"$tmp/err" &
pid=$!
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  failures=$((failures + 1))
  echo "FAIL fifo: check blocks"
else
  wait "$pid"
  expect "fifo exit" 1 "$?"
  expect "fifo message" 'Error: Cannot open "pipe.cue": Is a named pipe (FIFO), not a regular file' "$(cat "$tmp/err")"
fi

# The wave commands refuse a FIFO at once too: the open never waits for a
# writer.
refuses_fifo() { # name, expected message, args...
  local name=$1 message=$2
  shift 2
  "$cli" "$@" >"$tmp/out" 2>"$tmp/err" &
  local pid=$!
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    failures=$((failures + 1))
    echo "FAIL $name: blocks on a FIFO"
  else
    wait "$pid"
    expect "$name exit" 1 "$?"
    expect "$name message" "$message" "$(cat "$tmp/err")"
  fi
}
mkfifo pipe.wav
refuses_fifo "waveinfo fifo" '"pipe.wav" cannot be opened: it is a named pipe (FIFO), not a regular file' waveinfo pipe.wav
refuses_fifo "truncate fifo" '"pipe.wav" cannot be opened: it is a named pipe (FIFO), not a regular file' \
  truncate pipe.wav 00:01:00 out.wav
expect "truncate fifo leaves nothing" "" "$(ls out.wav 2>/dev/null)"

# A time no sheet holds is refused, never wrapped into another time.
run truncate pipe.wav 01:300:00 out.wav
expect "bad time exit" 2 "$rc"
expect "bad time message" "Error: 01:300:00 is not a valid time: Seconds past 59 in time." "$err"

# An image name that its sheet's FILE line cannot hold is refused before
# anything is written.
for name in 'q"u o.flac' "$(printf 'line\nbreak.wav')"; do
  run join good.cue "$name"
  expect "join refuses $name" 1 "$rc"
  case "$err" in *"cannot be named in a cue sheet"*) passes=$((passes + 1)) ;;
  *) failures=$((failures + 1)); printf 'FAIL join %s: %s\n' "$name" "$err" ;; esac
  expect "join wrote nothing for $name" "" "$(ls -- "$name" "${name%.*}.cue" 2>/dev/null)"
done

# Every warning of a read is still one line of its own.
printf 'FILE A.WAV WAVE\nREMARK a\nTRACK 1 AUDIO\nINDEX 1 0\nREMARK b\n' >two.cue
run check two.cue
expect "two warnings" "$(printf 'Warning: Warning at Line 2:  Ignoring line\nWarning: Warning at Line 5:  Ignoring line')" "$err"

# An empty file is an empty sheet.
: >empty.cue
run normalize empty.cue
expect "empty exit" 0 "$rc"
expect "empty output" "" "$out$err"

run normalize
expect "no argument exit" 2 "$rc"
run normalize a.cue b.cue
expect "two arguments exit" 2 "$rc"
run frobnicate
expect "unknown command exit" 2 "$rc"
case "$err" in *usage:*) passes=$((passes + 1)) ;; *) failures=$((failures + 1)); echo "FAIL usage text: $err" ;; esac

echo "cli: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
