#!/usr/bin/env bash
# scripts/install-deps.sh against stand-ins for dpkg-query and apt-get: what
# each job asks apt for on an empty machine, one with PipeWire and one with
# PulseAudio. Prints the lists; fails when a job would install a second sound
# server, the game's job a test tool, or apt may remove what is installed.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d /tmp/ikeasobi-deps-test.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
mkdir "$WORK/bin"
cat >"$WORK/bin/dpkg-query" <<'STUB'
#!/bin/sh
grep -qx "$3" "$IKEASOBI_TEST_INSTALLED" && echo "install ok installed"
exit 0
STUB
cat >"$WORK/bin/apt-get" <<'STUB'
#!/bin/sh
[ "$1" = update ] || echo "$*" >"$IKEASOBI_TEST_APT"
STUB
printf '#!/bin/sh\nexec "$@"\n' >"$WORK/bin/sudo"
chmod +x "$WORK/bin/"*

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
asked() {  # machine job -> the packages apt was asked for
  : >"$WORK/apt"
  PATH="$WORK/bin:$PATH" IKEASOBI_TEST_INSTALLED="$WORK/$1" IKEASOBI_TEST_APT="$WORK/apt" \
    "$ROOT/scripts/install-deps.sh" "$2" >/dev/null
  cat "$WORK/apt"
}
has() { [[ " $1 " == *" $2 "* ]]; }

: >"$WORK/empty"
printf '%s\n' pipewire pipewire-pulse wireplumber >"$WORK/pipewire"
printf '%s\n' pulseaudio >"$WORK/pulseaudio"
for machine in empty pipewire pulseaudio; do
  for job in game check; do
    line=$(asked "$machine" "$job")
    echo "$machine, $job: apt-get ${line:-(nothing)}"
    has "$line" --no-remove || fail "$machine $job: apt may remove packages"
    if [[ $job == game ]]; then
      for tool in sox xvfb lintian googletest pulseaudio pipewire-pulse clang; do
        has "$line" "$tool" && fail "$machine game: installs the test tool $tool"
      done
    fi
  done
  check=$(asked "$machine" check)
  case $machine in
    empty) has "$check" pipewire-pulse && ! has "$check" pulseaudio || fail "empty: the check's server is not PipeWire alone" ;;
    pipewire) has "$check" pulseaudio && fail "pipewire: installs PulseAudio beside PipeWire" ;;
    pulseaudio) has "$check" pipewire || has "$check" pipewire-pulse && fail "pulseaudio: installs PipeWire beside PulseAudio" ;;
  esac
done
(( failures == 0 )) && echo "install-deps-test: passed"
exit $(( failures > 0 ))
