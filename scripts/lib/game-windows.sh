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
