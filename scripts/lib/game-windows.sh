# The game's windows under an X server, for scripts that drive it with
# xdotool. Source it with PID set to the game's process and, once found, WID
# to its main window.

ROOTWIN=$(( $(xwininfo -root | awk '/Window id:/ {print $4}') ))

# The pid search also lists the root window; the game's own are the rest.
game_windows() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$PID" --name '' 2>/dev/null); do
    [[ "$w" == "$ROOTWIN" ]] || echo "$w"
  done
}

# Answers every message box (any window but the main one) with Enter.
answer_boxes() {
  local w
  for w in $(game_windows); do
    [[ "$w" == "$WID" ]] && continue
    xdotool windowfocus --sync "$w" key Return 2>/dev/null || true
  done
}

# A left click at a point of the main window's client area.
click_at() { xdotool mousemove --window "$WID" "$1" "$2" click 1 2>/dev/null || true; }

GAME_WINDOWS_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Sets WID to the game's main window once it shows (within two minutes);
# fails when the game ends first or no window comes.
await_main_window() {
  WID=
  for _ in $(seq 1 240); do
    WID=$(game_windows | head -n1)
    [[ -n "$WID" ]] && return 0
    kill -0 "$PID" 2>/dev/null || return 1
    sleep 0.5
  done
  return 1
}

# Closes the main window as the window manager would, answering the boxes
# that come up meanwhile, and waits for the game to end; its exit status goes
# into the file given. Fails (and kills the game) when it does not close.
close_and_wait() {  # exit-status-file
  local rc
  answer_boxes
  "$GAME_WINDOWS_LIB/close-window.py" "$WID"
  for _ in $(seq 1 60); do
    kill -0 "$PID" 2>/dev/null || break
    answer_boxes
    sleep 0.5
  done
  if kill -0 "$PID" 2>/dev/null; then
    kill "$PID"
    return 1
  fi
  wait "$PID" && rc=0 || rc=$?
  echo "$rc" >"$1"
}
