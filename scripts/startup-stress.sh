#!/usr/bin/env bash
# Start-up and shut-down under stress: launches the game many times with each
# audio choice (real output, `null`, `capture:`) under one virtual X server
# and ends each run at a random moment of its start-up: killed (TERM or
# KILL), or closed through its window once the window is up. Fails on an
# abort, a crash, a core file, a sanitizer report or a display error.
#
#   scripts/startup-stress.sh [LAUNCHES_PER_CHOICE]   default 200
#   IKEASOBI_STRESS_BUILD=dir     build to use (default build, the release game)
#   IKEASOBI_STRESS_CHOICES=...   audio choices to try (default "real null capture")
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)

if [[ "${1:-}" == --inside ]]; then
  WORK=$2
  LAUNCHES=$3
  GAME=$WORK/game/ikeasobi
  source "$ROOT/scripts/lib/game-windows.sh"
  unset QT_QPA_PLATFORM
  export ASAN_OPTIONS="log_path=$WORK/san/asan:detect_leaks=0"
  export UBSAN_OPTIONS="log_path=$WORK/san/ubsan:print_stacktrace=1"
  mkdir -p "$WORK/san" "$WORK/capture" "$WORK/failures"
  ulimit -c unlimited || true

  failures=0
  for choice in ${IKEASOBI_STRESS_CHOICES:-real null capture}; do
    case $choice in
      real) unset IKEASOBI_AUDIO ;;
      null) export IKEASOBI_AUDIO=null ;;
      capture) export IKEASOBI_AUDIO="capture:$WORK/capture" ;;
    esac
    killed=0 closed=0
    for i in $(seq 1 "$LAUNCHES"); do
      (cd "$WORK" && exec "$GAME") >"$WORK/out.log" 2>"$WORK/err.log" &
      PID=$!
      # A random moment of start-up: 0 to 2.5 s after the launch.
      sleep "$(awk -v r=$RANDOM 'BEGIN { printf "%.3f", r % 2500 / 1000 }')"
      how=kill
      if (( RANDOM % 3 == 0 )); then
        W=$(game_windows | head -n1)
        [[ -n "$W" ]] && how=close
      fi
      if [[ $how == close ]]; then
        "$ROOT/scripts/lib/close-window.py" "$W" || echo "stress: $choice run $i: the close request could not be sent"
        for _ in $(seq 1 100); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
        if kill -0 "$PID" 2>/dev/null; then
          echo "stress: $choice run $i did not close when asked; its threads:"
          gdb -q -batch -p "$PID" -ex 'thread apply all bt 25' 2>/dev/null | grep -E '^(Thread|#)' | head -80
          kill -KILL "$PID" 2>/dev/null
          failures=$((failures + 1))
        fi
        closed=$((closed + 1))
      else
        kill -"$( (( RANDOM % 4 == 0 )) && echo KILL || echo TERM)" "$PID" 2>/dev/null || true
        killed=$((killed + 1))
      fi
      wait "$PID" 2>/dev/null && RC=0 || RC=$?
      # 0 closed, 143 TERM, 137 KILL; a run that ended before the signal is fine too.
      if [[ $RC != 0 && $RC != 143 && $RC != 137 ]] || grep -qiE 'abort|could not connect|segmentation|runtime error|sanitizer' "$WORK/err.log"; then
        echo "stress: $choice run $i ended with $RC ($how):"; tail -5 "$WORK/err.log"
        cp "$WORK/err.log" "$WORK/failures/$choice-$i.err"
        failures=$((failures + 1))
      fi
    done
    echo "stress: $choice: $LAUNCHES launches ($killed killed, $closed closed through the window)"
  done
  echo "$failures" >"$WORK/failures.txt"
  exit 0
fi

LAUNCHES=${1:-200}
BUILD=${IKEASOBI_STRESS_BUILD:-$ROOT/build}
[[ -x "$BUILD/game/ikeasobi" ]] || { echo "stress: no game in $BUILD/game (build it first)"; exit 1; }
WORK=$(mktemp -d /tmp/ikeasobi-stress.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cp -r "$BUILD/game" "$WORK/game"
START=$(date +%s)
# -noreset, here and in every script that starts the game under Xvfb: an X
# server that resets when its last client leaves refuses the connections that
# arrive meanwhile, and a game launched then aborts.
xvfb-run -a -e "$WORK/xvfb.log" -s "-screen 0 800x600x24 -noreset" "$0" --inside "$WORK" "$LAUNCHES"
FAILED=$(cat "$WORK/failures.txt" 2>/dev/null || echo 1)
if (( FAILED )) && [[ -s "$WORK/xvfb.log" ]]; then echo "stress: the X server said:"; tail -20 "$WORK/xvfb.log"; fi
if compgen -G "$WORK/san/*" >/dev/null && grep -qE 'ERROR: |runtime error' "$WORK"/san/*; then
  echo "stress: sanitizer report:"; cat "$WORK"/san/* | head -40; FAILED=$((FAILED + 1))
fi
CORES=$(find "$WORK" /tmp -maxdepth 1 -name 'core*' -newer "$WORK/game" 2>/dev/null | wc -l)
(( CORES == 0 )) || { echo "stress: $CORES core files"; FAILED=$((FAILED + 1)); }
CHOICES=(${IKEASOBI_STRESS_CHOICES:-real null capture})
echo "stress: $((${#CHOICES[@]} * LAUNCHES)) launches in $(( $(date +%s) - START )) s, failures: $FAILED"
(( FAILED == 0 ))
