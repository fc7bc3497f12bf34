#!/usr/bin/env bash
# Installs the Debian packages the game builds and runs with; quiet and quick
# when everything is already there.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-l10n-tools qt6-translations-l10n libjpeg62-turbo-dev libasound2-dev
  libfluidsynth-dev timgm6mb-soundfont fonts-ipafont-gothic
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  desktop-file-utils appstream
  xvfb xauth xdotool x11-utils python3
  pulseaudio pulseaudio-utils libasound2-plugins sox
  dpkg-dev lintian man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then SUDO="sudo"; else
    echo "error: need root (or sudo) to install: ${missing[*]}" >&2; exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
