# Sourced by the scripts: installs the Debian packages the project needs
# when some are missing. Runs apt-get update only when something is missing.
ts_packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  cuetools cdrdao libcue-dev sox hyperfine
  qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation2
  libsdl2-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libuchardet-dev
  ffmpeg flac shntool acl attr xvfb xauth openbox x11-utils
  lld            # links the programs in a third of the time of ld.bfd
  time bc
  # mkvmerge reads the exported Matroska chapters back; python3 the JSON ones
  mkvtoolnix python3
  # sheets in audio files' tags: TagLib and libFLAC, and wavpack for the tests
  libtag1-dev libflac-dev wavpack
  libdiscid-dev  # MusicBrainz and freedb disc IDs
  whipper        # its AccurateRip checksums and disc IDs check ours in the tests
  lintian dpkg-dev             # scripts/package: checks the .deb; dpkg-shlibdeps finds its dependencies
  appstream desktop-file-utils man-db  # the package test validates the metainfo and desktop file, reads the manuals
  qt6-tools-dev qt6-l10n-tools  # qt_add_translations: lupdate and lrelease
  qt6-translations-l10n  # Qt's own German texts: the dialogs' standard buttons
)

ts_install_missing() {
  local missing=()
  local p
  for p in "${ts_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}
