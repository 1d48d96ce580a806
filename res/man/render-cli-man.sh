#!/bin/sh
# Writes the manual page of tracksmith-cli: the template with its COMMANDS
# section made from the program's own help, so the page describes every
# command of the table the program was built with.
# Arguments: CLI TEMPLATE OUT VERSION
set -eu
cli=$1
template=$2
out=$3
version=$4

commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p')
[ -n "$commands" ] || { echo "render-cli-man: no commands in \"$cli --help\"" >&2; exit 1; }

tmp="$out.tmp"
trap 'rm -f "$tmp" "$tmp.commands"' EXIT
for c in $commands; do
  "$cli" help "$c" | awk '
    function roff(s) {
      gsub(/\\/, "\\e", s); gsub(/-/, "\\-", s)
      if (s ~ /^[.'"'"']/) s = "\\&" s
      return s
    }
    function flush() { if (text != "") print roff(text); text = "" }
    NR == 1 { sub(/^Usage: /, ""); print ".SS " roff($2); print ".B " roff($0); print ".PP"; next }
    /^$/ { flush(); next }
    /^[A-Z][a-z ]*:$/ { flush(); print ".PP"; print roff($0); next }
    /^  [^ ]/ {
      flush(); line = substr($0, 3)
      split(line, parts, /  +/); term = parts[1]
      rest = substr(line, length(term) + 1); sub(/^ +/, "", rest)
      print ".TP"; print ".B " roff(term); text = rest; next
    }
    { line = $0; sub(/^ +/, "", line); text = (text == "" ? line : text " " line) }
    END { flush() }'
done >"$tmp.commands"
sed -e "s/@VERSION@/$version/" -e "/^@COMMANDS@\$/{
r $tmp.commands
d
}" "$template" >"$tmp"
mv "$tmp" "$out"
