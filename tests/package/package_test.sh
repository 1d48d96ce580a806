#!/usr/bin/env bash
# The Debian package as a user gets it: built with cpack from the build
# tree, checked by lintian, installed with dpkg, used (versions, manual
# pages, desktop file, metainfo, icons, completion), then purged with
# nothing left behind.
# Arguments: BUILD_DIR VERSION. Needs root; exits 77 (skipped) without it.
set -u
build=$1
version=$2
failures=0
passes=0

pass() { passes=$((passes + 1)); }
fail() { failures=$((failures + 1)); printf 'FAIL %s\n' "$*"; }
expect() { # name, expected, actual
  if [ "$2" == "$3" ]; then pass; else fail "$1: expected [$2], got [$3]"; fi
}

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The package, from this build tree into a folder of this run alone.
if ! cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"
  echo "FAIL cpack"
  exit 1
fi
deb="$tmp/out/tracksmith_${version}_amd64.deb"
[ -f "$deb" ] && pass || { ls "$tmp/out"; fail "no package named $(basename "$deb")"; exit 1; }

# Its dependencies come from the libraries it links.
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in *libqt6widgets6*libsdl2*|*libsdl2*libqt6widgets6*) pass ;; *) fail "Depends lacks Qt or SDL: $depends" ;; esac
case "$depends" in *libavformat*) pass ;; *) fail "Depends lacks FFmpeg's libavformat: $depends" ;; esac

lintian --fail-on error "$deb" >"$tmp/lintian.log" 2>&1 && pass || { cat "$tmp/lintian.log"; fail "lintian reports errors"; }

mapfile -t files < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
for f in /usr/bin/tracksmith /usr/bin/tracksmith-cli /usr/bin/tracksmith-tracks \
  /usr/share/applications/tracksmith.desktop /usr/share/icons/hicolor/scalable/apps/tracksmith.svg \
  /usr/share/tracksmith/tracksmith.html /usr/share/tracksmith/tracksmith.de.html /usr/share/tracksmith/readme.txt \
  /usr/share/doc/tracksmith/copyright /usr/share/doc/tracksmith/changelog.gz \
  /usr/share/man/man1/tracksmith.1.gz /usr/share/man/man1/tracksmith-cli.1.gz \
  /usr/share/bash-completion/completions/tracksmith-cli; do
  printf '%s\n' "${files[@]}" | grep -qx -- "$f" && pass || fail "package lacks $f"
done
for size in 16 22 32 48 64 128 256; do
  printf '%s\n' "${files[@]}" | grep -qx "/usr/share/icons/hicolor/${size}x${size}/apps/tracksmith.png" \
    && pass || fail "package lacks the ${size}x${size} icon"
done

# One installation at a time on this machine: another run of this test
# (another build tree's ctest) waits here. An installation that is not
# ours is left alone.
exec 9>/run/lock/tracksmith-package-test.lock
flock -w 600 9 || { fail "lock held for ten minutes"; exit 1; }
if dpkg-query -W -f='${Status}' tracksmith 2>/dev/null | grep -q 'install ok installed'; then
  echo "SKIP: a tracksmith package is already installed on this machine"
  exit 77
fi
purge() { dpkg --purge tracksmith >"$tmp/purge.log" 2>&1; }
trap 'purge; rm -rf "$tmp"' EXIT

if ! dpkg -i "$deb" >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log"
  fail "dpkg -i"
  exit 1
fi
pass

expect "tracksmith-cli --version" "tracksmith-cli $version" "$(/usr/bin/tracksmith-cli --version 2>&1)"
expect "tracksmith --version" "tracksmith $version" "$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/tracksmith --version 2>&1)"
# tracksmith-cli finds tracksmith-tracks beside it: a usage error comes
# from the tool, not "cannot be started".
err=$(/usr/bin/tracksmith-cli split 2>&1); rc=$?
expect "split without arguments exit" 2 "$rc"

# The manual pages: found by name, rendered without warnings, and the
# command-line page names every command the program lists.
for page in tracksmith tracksmith-cli tracksmith-tracks; do
  expect "man -w $page" "/usr/share/man/man1/$page.1.gz" "$(man -w "$page" 2>&1)"
  warnings=$(MANWIDTH=80 man --warnings -l "/usr/share/man/man1/$page.1.gz" 2>&1 >"$tmp/$page.txt")
  expect "man -l $page warnings" "" "$warnings"
  grep -q "^NAME" "$tmp/$page.txt" && pass || fail "man $page has no NAME section"
done
MANWIDTH=200 man tracksmith-cli >"$tmp/cli-man.txt" 2>/dev/null
for c in $(/usr/bin/tracksmith-cli --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p'); do
  grep -q "tracksmith-cli $c" "$tmp/cli-man.txt" && pass || fail "man tracksmith-cli lacks the command $c"
done

out=$(desktop-file-validate /usr/share/applications/tracksmith.desktop 2>&1) && [ -z "$out" ] && pass \
  || fail "desktop-file-validate: $out"
grep -qx 'MimeType=application/x-cue;' /usr/share/applications/tracksmith.desktop && pass \
  || fail "the desktop file does not claim application/x-cue"
metainfo=($(printf '%s\n' "${files[@]}" | grep '^/usr/share/metainfo/.*\.metainfo\.xml$'))
expect "one metainfo file" 1 "${#metainfo[@]}"
appstreamcli validate --no-net "${metainfo[0]}" >"$tmp/appstream.log" 2>&1 && pass \
  || { cat "$tmp/appstream.log"; fail "appstreamcli validate"; }
# The newest release it announces is this version.
newest=$(grep -o '<release version="[^"]*"' "${metainfo[0]}" | head -n 1 | cut -d'"' -f2)
expect "metainfo's newest release" "$version" "$newest"

# Completion from the installed script: commands, options and their values,
# and sheets by type.
mkdir "$tmp/cwd"
touch "$tmp/cwd/album.cue" "$tmp/cwd/ALBUM2.CUE" "$tmp/cwd/notes.txt" "$tmp/cwd/take.wav"
complete_words() { # WORDS...: the completions of the last word
  (cd "$tmp/cwd" && bash -c '. /usr/share/bash-completion/completions/tracksmith-cli
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tracksmith_cli
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' complete "$@")
}
expect "complete a command" "normalize " "$(complete_words tracksmith-cli norm)"
expect "complete an option" "--format " "$(complete_words tracksmith-cli split a.cue out --for)"
expect "complete an option's value" "opus " "$(complete_words tracksmith-cli split a.cue out --format o)"
expect "complete a sheet" "ALBUM2.CUE album.cue " "$(complete_words tracksmith-cli check '')"
expect "complete a wave file" "take.wav " "$(complete_words tracksmith-cli waveinfo '')"
expect "complete help's command" "split " "$(complete_words tracksmith-cli help spl)"

# Removed with nothing left behind.
purge && pass || { cat "$tmp/purge.log"; fail "dpkg --purge"; }
trap 'rm -rf "$tmp"' EXIT
dpkg-query -W tracksmith >/dev/null 2>&1 && fail "dpkg still knows the package" || pass
for f in "${files[@]}"; do
  [ -e "$f" ] && fail "left behind: $f"
done
for d in /usr/share/tracksmith /usr/share/doc/tracksmith; do
  [ -e "$d" ] && fail "left behind: $d"
done
pass

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
