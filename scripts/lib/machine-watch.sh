# Watches the machine beside a sound test: a thread on each CPU at the
# effects feeder's real-time priority measures how late it wakes (and when
# all were late at once), and the host's steal is counted, so a dropout the
# machine caused can be told from one the program caused
# (build/sound/wakeup_lateness, built by the caller).
#
#   source scripts/lib/machine-watch.sh
#   start_machine_watch BUILD SECONDS OUT   runs in the background
#   machine_watch_report OUT                waits, then prints its line
#   stop_machine_watch                      for a clean-up trap
WATCH_PID=

start_machine_watch() {
  "$1/sound/wakeup_lateness" "$2" >"$3" 2>&1 &
  WATCH_PID=$!
}

machine_watch_report() {
  [[ -n "$WATCH_PID" ]] && wait "$WATCH_PID" 2>/dev/null || true
  WATCH_PID=
  cat "$1" 2>/dev/null || true
}

stop_machine_watch() {
  [[ -n "$WATCH_PID" ]] && kill "$WATCH_PID" 2>/dev/null || true
  WATCH_PID=
}
