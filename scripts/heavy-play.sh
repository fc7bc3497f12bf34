#!/usr/bin/env bash
# Heavy play heard through a real sound server: the release game plays at
# random under a virtual X server, about half of the time in whole fishing
# attempts (casts, shots at the catch, reeling), through a private sound
# server with a null sink (PipeWire or PulseAudio,
# scripts/lib/private-sound-server.sh). The game reports at exit how often
# its effects' output ran dry, how often its buffer changed, how long cues
# played over others waited, what the effects played through and how long
# the device's messages waited for the window's thread. The sink's monitor
# is recorded meanwhile, and the holes in what the player hears there, the
# music and the effects mixed, are counted (scripts/lib/sink-dropouts.py
# --stream).
#
#   scripts/heavy-play.sh [SECONDS]     (default 600)
#   IKEASOBI_SOUND_BUILD=dir   release build to use (default build)
#   IKEASOBI_SOUND_KEEP=1      keep the work folder
#   IKEASOBI_SOUND_SERVER=s    pipewire or pulseaudio (default: the machine's)
#
# Beside it, a thread at the feeder's priority measures how late it wakes and
# the host's steal is counted (scripts/lib/machine-watch.sh), so a dropout the
# machine caused shows as such. Passes when the output never ran dry, the
# sink heard sound and the game closed cleanly. Not part of ./check: ten
# minutes of it say more than a short run would.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/machine-watch.sh
source "$ROOT/scripts/lib/machine-watch.sh"
say() { echo "heavy-play: $*"; }

if [[ "${1:-}" == --inside ]]; then
  WORK=$2 DURATION=$3
  unset QT_QPA_PLATFORM IKEASOBI_AUDIO  # the real output, as for a player
  IKEASOBI_SOUND_REPORT=1 "$WORK/game/ikeasobi" --zoom 1 >"$WORK/stdout.log" 2>"$WORK/stderr.log" &
  PID=$!
  source "$ROOT/scripts/lib/game-windows.sh"
  source "$ROOT/scripts/lib/random-play.sh"
  await_main_window || { say "no window appeared"; kill "$PID" 2>/dev/null; exit 1; }
  click_at 208 256  # COUNTINE
  CPU0=$(awk '{print $14 + $15}' "/proc/$PID/stat")
  play_at_random "$DURATION" 50 || exit 1
  CPU1=$(awk '{print $14 + $15}' "/proc/$PID/stat")
  say "the game's CPU while playing: $(awk -v a="$CPU0" -v b="$CPU1" -v s="$DURATION" -v hz="$(getconf CLK_TCK)" \
    'BEGIN {printf "%.1f", 100 * (b - a) / hz / s}') % of one core"
  close_and_wait "$WORK/exit.txt" || { say "the game did not close when asked"; exit 1; }
  exit 0
fi

DURATION=${1:-600}
BUILD=${IKEASOBI_SOUND_BUILD:-$ROOT/build}
source "$ROOT/scripts/lib/release-game.sh"
build_release_game "$ROOT" "$BUILD"
cmake --build "$BUILD" -j2 --target wakeup_lateness >/dev/null

WORK=$(mktemp -d /tmp/ikeasobi-heavy.XXXXXX)
# shellcheck source=lib/private-sound-server.sh
source "$ROOT/scripts/lib/private-sound-server.sh"
cleanup() {
  stop_machine_watch
  stop_private_sound_server
  [[ -n "${IKEASOBI_SOUND_KEEP:-}" ]] && say "kept $WORK" || rm -rf "$WORK"
}
trap cleanup EXIT
cp -r "$BUILD/game" "$WORK/game"
source "$ROOT/scripts/lib/random-play.sh"
write_rich_save "$BUILD/game/dat/my.dat" "$WORK/game/dat/my.dat"
start_private_sound_server "$WORK" || exit 1

say "$DURATION s through $(sound_server_name)"
FAILED=0
# In 16 bits, as the game sends its effects and the synthesiser its music:
# a quiet passage stays off the centre, where only a hole in the mix lies.
record_sink "$WORK/sink.wav" s16le
start_machine_watch "$BUILD" "$DURATION" "$WORK/machine.txt"
xvfb-run -a -s "-screen 0 800x600x24 -noreset" "$0" --inside "$WORK" "$DURATION" || FAILED=1
stop_sink_recording
say "meanwhile $(machine_watch_report "$WORK/machine.txt")"
[[ -f "$WORK/exit.txt" && "$(cat "$WORK/exit.txt")" == 0 ]] || { say "the game did not exit cleanly"; FAILED=1; }
REPORT=$(grep '^ikeasobi: the sound output' "$WORK/stderr.log" || true)
say "${REPORT#ikeasobi: }"
if SINK=$("$ROOT/scripts/lib/sink-dropouts.py" --stream --count "$WORK/sink.wav"); then
  read -r DROPOUTS DRY_MS LONGEST_MS <<<"$SINK"
  say "at the sink: $DROPOUTS dropouts ($DRY_MS ms in all, longest $LONGEST_MS ms)"
else
  say "at the sink: $SINK"; FAILED=1
fi
[[ "$REPORT" == *"never ran dry"* ]] || FAILED=1
if (( FAILED )); then say "FAILED"; exit 1; fi
say "passed"
