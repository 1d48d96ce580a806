#!/usr/bin/env bash
# tracksmith-cli --help, help COMMAND and --version, and the editor's own
# --help and --version: every command of the table has its help text, and
# every option its usage line names is described.
# Arguments: CLI EDITOR|"" VERSION
set -u
cli=$1
editor=$2
version=$3
failures=0
passes=0

pass() { passes=$((passes + 1)); }
fail() { failures=$((failures + 1)); printf 'FAIL %s\n' "$*"; }
expect() { # name, expected, actual
  if [ "$2" == "$3" ]; then pass; else fail "$1: expected [$2], got [$3]"; fi
}

out=$("$cli" --version); rc=$?
expect "cli --version exit" 0 "$rc"
expect "cli --version" "tracksmith-cli $version" "$out"

overview=$("$cli" --help 2>&1); rc=$?
expect "--help exit" 0 "$rc"
expect "help without command is the overview" "$overview" "$("$cli" help 2>&1)"

# The command names, as the overview lists them: two blanks, the name,
# then a blank or the end of the line.
mapfile -t commands < <(printf '%s\n' "$overview" | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p')
[ "${#commands[@]}" -ge 8 ] && pass || fail "overview lists ${#commands[@]} commands: $overview"

for c in "${commands[@]}"; do
  help=$("$cli" help "$c" 2>&1); rc=$?
  expect "help $c exit" 0 "$rc"
  expect "$c --help is help $c" "$help" "$("$cli" "$c" --help 2>&1)"
  usage=$(printf '%s\n' "$help" | head -n 1)
  case "$usage" in "Usage: tracksmith-cli $c"*) pass ;; *) fail "help $c usage line: $usage" ;; esac
  # A summary paragraph after the usage line.
  summary=$(printf '%s\n' "$help" | sed -n '3p')
  [ -n "$summary" ] && pass || fail "help $c has no summary"
  # Exit codes: at least success and usage error, each with a description.
  codes=$(printf '%s\n' "$help" | sed -n '/^Exit codes:/,$s/^  \([0-9]\)  *[a-z].*/\1/p' | tr '\n' ' ')
  case "$codes" in 0\ *2\ ) pass ;; *) fail "help $c exit codes: [$codes]" ;; esac
  # Every option and argument word of the usage line is described.
  # (An option's value, "--repeat N", is described with the option.)
  args=${usage#Usage: tracksmith-cli $c}
  for word in $( (grep -o -- '--[a-z-]*' <<<"$args"; sed 's/\[--[^]]*\]//g' <<<"$args" | grep -o '\b[A-Z][A-Z]*\b') | sort -u); do
    printf '%s\n' "$help" | sed -n '/^Arguments:/,/^Exit codes:/p' | grep -q -- "^  $word\b" \
      && pass || fail "help $c does not describe $word"
  done
  # No line is wider than a terminal; the usage line is as long as it is.
  wide=$(printf '%s\n' "$help" | awk 'NR > 1 && length > 79' | head -n 1)
  [ -z "$wide" ] && pass || fail "help $c line wider than 79 columns: $wide"
done

err=$("$cli" help no-such-command 2>&1 >/dev/null); rc=$?
expect "help of an unknown command exit" 2 "$rc"
case "$err" in *'unknown command "no-such-command"'*) pass ;; *) fail "unknown command message: $err" ;; esac

err=$("$cli" --bogus 2>&1 >/dev/null); rc=$?
expect "unknown option exit" 2 "$rc"
case "$err" in *'help COMMAND'*) pass ;; *) fail "usage error does not point at help: $err" ;; esac

if [ -n "$editor" ]; then
  # Both answer without a display.
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" --version); rc=$?
  expect "tracksmith --version exit" 0 "$rc"
  expect "tracksmith --version" "tracksmith $version" "$out"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" --help); rc=$?
  expect "tracksmith --help exit" 0 "$rc"
  case "$out" in "Usage: tracksmith "*/setup*) pass ;; *) fail "tracksmith --help: $out" ;; esac
fi

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
