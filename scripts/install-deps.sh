#!/usr/bin/env bash
# Installs the Debian packages one job needs; quiet and quick when they are
# all there already.
#
#   scripts/install-deps.sh          what building and playing the game needs (./play)
#   scripts/install-deps.sh package  that, and what building the Debian package needs
#   scripts/install-deps.sh check    that, and the test tools (./check)
#   scripts/install-deps.sh --list [JOB]  prints what JOB would install, installs nothing
#
# It never installs a second sound server: the sound tests run a private
# instance of the one the machine has (PipeWire or PulseAudio), and only a
# machine with neither gets PipeWire, which Debian's desktops run.
set -euo pipefail

LIST_ONLY=
if [[ "${1:-}" == --list ]]; then LIST_ONLY=1; shift; fi
JOB=${1:-game}

GAME=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-l10n-tools qt6-translations-l10n libjpeg62-turbo-dev libasound2-dev
  libfluidsynth-dev timgm6mb-soundfont fonts-ipafont-gothic
  # The effects' own way to a PipeWire desktop: the client library only, no server.
  libpipewire-0.3-dev
  # Wayland desktops, and ALSA's way to a sound server.
  qt6-wayland libasound2-plugins
)
PACKAGE=(dpkg-dev)
CHECK=(
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  desktop-file-utils appstream lintian man-db
  xvfb xauth xdotool x11-utils python3 weston
  pulseaudio-utils sox
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# The private sound server the checks start: the one that is here.
sound_server_packages() {
  if installed pipewire-pulse; then
    echo pipewire pipewire-pulse wireplumber dbus-daemon
  elif installed pulseaudio; then
    echo pulseaudio
  else
    echo pipewire pipewire-pulse wireplumber dbus-daemon
  fi
}

case "$JOB" in
  game) WANTED=("${GAME[@]}") ;;
  package) WANTED=("${GAME[@]}" "${PACKAGE[@]}") ;;
  check)
    read -r -a SERVER <<<"$(sound_server_packages)"
    WANTED=("${GAME[@]}" "${PACKAGE[@]}" "${CHECK[@]}" "${SERVER[@]}") ;;
  *) echo "usage: scripts/install-deps.sh [--list] [game|package|check]" >&2; exit 2 ;;
esac

missing=()
for p in "${WANTED[@]}"; do installed "$p" || missing+=("$p"); done
if [[ -n "$LIST_ONLY" ]]; then
  echo "${missing[*]}"
  exit 0
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages (with apt-get, as root): ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then SUDO="sudo"; else
    echo "error: need root (or sudo) to install: ${missing[*]}" >&2; exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# --no-remove: apt stops rather than remove anything the user installed.
$SUDO apt-get install -y -qq --no-install-recommends --no-remove "${missing[@]}"
