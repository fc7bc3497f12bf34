#!/usr/bin/env bash
# The idle main view's CPU cost as a player meets it: the release game
# through a private sound server with a null sink (ALSA's default), COUNTINE
# clicked, then nothing. Each run measures SECONDS while the opening tune
# plays on (it starts with the game and lasts 70 s; the main view plays a
# pond tune only after the shop or the tank) and prints the game's share of
# one core, thread by thread. With WAIT 95 the measuring begins after the
# tune and its tails have ended.
#
#   scripts/idle-cpu.sh [SECONDS] [RUNS] [WAIT]   (default 60, 3 and 2 s
#                                                  after COUNTINE)
#   IKEASOBI_SOUND_BUILD=dir   release build to use (default build)
#   IKEASOBI_AUDIO=null        the same without any sound, for comparison
#   IKEASOBI_SOUND_SERVER=s    pipewire or pulseaudio (default: the machine's)
#   IKEASOBI_ZOOM=N            the window's factor (default 1)
#   IKEASOBI_TUNE=NAME         NAME.mid in place of the opening tune in the
#                              copy of the game folder (p5: the busiest pond
#                              tune, heard there after the shop or the tank)
#
# Not part of ./check: the figure depends on the machine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
say() { echo "idle-cpu: $*"; }

if [[ "${1:-}" == --inside ]]; then
  WORK=$2 SECONDS_=$3 WAIT=$4
  unset QT_QPA_PLATFORM
  ZOOM=${IKEASOBI_ZOOM:-1}
  "$WORK/game/ikeasobi" --zoom "$ZOOM" >"$WORK/stdout.log" 2>"$WORK/stderr.log" &
  PID=$!
  source "$ROOT/scripts/lib/game-windows.sh"
  await_main_window || { say "no window appeared"; kill "$PID" 2>/dev/null; exit 1; }
  click_at $((208 * ZOOM)) $((256 * ZOOM))  # COUNTINE
  sleep "$WAIT"
  thread_ticks() {
    local t
    for t in /proc/"$PID"/task/*; do
      echo "${t##*/} $(tr ' ' '_' <"$t/comm") $(awk '{print $14 + $15}' "$t/stat")"
    done
  }
  thread_ticks >"$WORK/before"
  sleep "$SECONDS_"
  thread_ticks >"$WORK/after"
  awk -v s="$SECONDS_" -v hz="$(getconf CLK_TCK)" -v pid="$PID" '
    NR == FNR { before[$1] = $3; next }
    { d = $3 - before[$1]; total += d
      name = ($1 == pid) ? "game" : $2; by[name] += d }
    END {
      line = sprintf("%.2f %% of one core:", 100 * total / hz / s)
      for (n in by) if (by[n] > 0) line = line sprintf(" %s %.2f", n, 100 * by[n] / hz / s)
      print line
    }' "$WORK/before" "$WORK/after"
  close_and_wait "$WORK/exit.txt" || { say "the game did not close when asked"; exit 1; }
  exit 0
fi

SECONDS_=${1:-60} RUNS=${2:-3} WAIT=${3:-2}
BUILD=${IKEASOBI_SOUND_BUILD:-$ROOT/build}
source "$ROOT/scripts/lib/release-game.sh"
build_release_game "$ROOT" "$BUILD"

WORK=$(mktemp -d /tmp/ikeasobi-idle.XXXXXX)
source "$ROOT/scripts/lib/private-sound-server.sh"
cleanup() { stop_private_sound_server; rm -rf "$WORK"; }
trap cleanup EXIT
cp -r "$BUILD/game" "$WORK/game"
if [[ -n "${IKEASOBI_TUNE:-}" ]]; then
  [[ -f "$WORK/game/dat/$IKEASOBI_TUNE.mid" ]] || { say "no tune $IKEASOBI_TUNE.mid"; exit 1; }
  cp "$WORK/game/dat/$IKEASOBI_TUNE.mid" "$WORK/game/dat/op.mid"
fi
start_private_sound_server "$WORK" || exit 1

say "main view, idle, ${SECONDS_} s a run from ${WAIT} s after COUNTINE, ${IKEASOBI_AUDIO:-through $(sound_server_name)}${IKEASOBI_TUNE:+, tune $IKEASOBI_TUNE}"
for run in $(seq 1 "$RUNS"); do
  cp "$BUILD/game/dat/my.dat" "$WORK/game/dat/my.dat"
  say "run $run: $(xvfb-run -a -s "-screen 0 800x600x24 -noreset" "$0" --inside "$WORK" "$SECONDS_" "$WAIT" | tail -n1)"
done
